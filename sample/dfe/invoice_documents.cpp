#include "sample/dfe/invoice_documents.h"

#include <stdexcept>

#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "nfe/xml_escape.h"

namespace sample {
namespace {

using dfe::kNamespaceNFe;

const xmlNode* Path(const xmlNode* node, std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names) {
        if (node == nullptr) {
            return nullptr;
        }
        node = dfe::ChildElement(node, kNamespaceNFe, name);
    }
    return node;
}

std::string Text(const xmlNode* node, std::initializer_list<std::string_view> names) {
    const xmlNode* found = Path(node, names);
    return found == nullptr ? std::string() : dfe::TextOf(found);
}

// The CNPJ or else the CPF of a party's group.
std::string NumberOf(const xmlNode* group) {
    std::string number = Text(group, {"CNPJ"});
    return number.empty() ? Text(group, {"CPF"}) : number;
}

std::string Element(std::string_view name, std::string_view value) {
    return "<" + std::string(name) + ">" + nfe::EscapeXmlText(value) + "</" + std::string(name) +
           ">";
}

constexpr std::string_view kCancellationReason = "Erro na digitacao dos dados da mercadoria";

std::string CancellationProtocol(const InvoiceFacts& invoice) {
    return "9" + invoice.protocol.substr(1);
}

}  // namespace

InvoiceFacts ReadInvoiceFacts(std::string_view xml) {
    const dfe::XmlDocument document = [&] {
        try {
            return dfe::XmlDocument::Parse(xml, "A nota de exemplo");
        } catch (const dfe::AnswerError& error) {
            throw std::runtime_error(error.what());
        }
    }();
    const xmlNode* root = document.Root();
    const xmlNode* invoice = Path(root, {"NFe", "infNFe"});
    const xmlNode* protocol = Path(root, {"protNFe", "infProt"});
    if (!dfe::IsElement(root, kNamespaceNFe, "nfeProc") || invoice == nullptr ||
        protocol == nullptr) {
        throw std::runtime_error("a sample invoice is not an nfeProc with its protocol");
    }

    InvoiceFacts facts;
    facts.key = Text(protocol, {"chNFe"});
    facts.stateCode = std::stoi(Text(invoice, {"ide", "cUF"}));
    const xmlNode* issuer = Path(invoice, {"emit"});
    facts.issuerElement = Text(issuer, {"CNPJ"}).empty() ? "CPF" : "CNPJ";
    facts.issuerNumber = NumberOf(issuer);
    facts.issuerName = Text(issuer, {"xNome"});
    facts.issuerStateRegistration = Text(issuer, {"IE"});
    facts.issued = Text(invoice, {"ide", "dhEmi"});
    if (facts.issued.empty()) {
        facts.issued = Text(invoice, {"ide", "dEmi"}) + "T00:00:00-03:00";
    }
    facts.operation = Text(invoice, {"ide", "tpNF"});
    facts.total = Text(invoice, {"total", "ICMSTot", "vNF"});
    facts.digestValue = Text(protocol, {"digVal"});
    facts.received = Text(protocol, {"dhRecbto"});
    if (facts.received.find('-', 10) == std::string::npos) {
        facts.received += "-03:00";
    }
    facts.protocol = Text(protocol, {"nProt"});

    facts.recipient = NumberOf(Path(invoice, {"dest"}));
    for (const std::string& party :
         {facts.recipient, NumberOf(Path(invoice, {"transp", "transporta"}))}) {
        if (!party.empty()) {
            facts.parties.push_back(party);
        }
    }
    for (const xmlNode* authorised : dfe::ChildElements(invoice, kNamespaceNFe, "autXML")) {
        facts.parties.push_back(NumberOf(authorised));
    }
    return facts;
}

std::string InvoiceSummary(const InvoiceFacts& invoice, bool cancelled) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<resNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.01\">" +
        Element("chNFe", invoice.key) + Element(invoice.issuerElement, invoice.issuerNumber) +
        Element("xNome", invoice.issuerName) + Element("IE", invoice.issuerStateRegistration) +
        Element("dhEmi", invoice.issued) + Element("tpNF", invoice.operation) +
        Element("vNF", invoice.total);
    if (!invoice.digestValue.empty()) {
        xml += Element("digVal", invoice.digestValue);
    }
    return xml + Element("dhRecbto", invoice.received) + Element("nProt", invoice.protocol) +
           Element("cSitNFe", cancelled ? "3" : "1") + "</resNFe>";
}

std::string CancellationEvent(const InvoiceFacts& invoice) {
    const std::string state = std::to_string(invoice.stateCode);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<procEventoNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\">"
           "<evento versao=\"1.00\"><infEvento Id=\"ID110111" +
           invoice.key + "01\">" + Element("cOrgao", state) + Element("tpAmb", "1") +
           Element(invoice.issuerElement, invoice.issuerNumber) + Element("chNFe", invoice.key) +
           Element("dhEvento", invoice.received) + Element("tpEvento", "110111") +
           Element("nSeqEvento", "1") + Element("verEvento", "1.00") +
           "<detEvento versao=\"1.00\">" + Element("descEvento", "Cancelamento") +
           Element("nProt", invoice.protocol) + Element("xJust", kCancellationReason) +
           "</detEvento></infEvento></evento><retEvento versao=\"1.00\"><infEvento>" +
           Element("tpAmb", "1") + Element("verAplic", "VELLORA-EXEMPLO") +
           Element("cOrgao", state) + Element("cStat", "135") +
           Element("xMotivo", "Evento registrado e vinculado a NF-e") +
           Element("chNFe", invoice.key) + Element("tpEvento", "110111") +
           Element("xEvento", "Cancelamento") + Element("nSeqEvento", "1") +
           Element("dhRegEvento", invoice.received) +
           Element("nProt", CancellationProtocol(invoice)) +
           "</infEvento></retEvento></procEventoNFe>";
}

std::string CancellationEventSummary(const InvoiceFacts& invoice) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           "<resEvento xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.01\">" +
           Element("cOrgao", std::to_string(invoice.stateCode)) +
           Element(invoice.issuerElement, invoice.issuerNumber) + Element("chNFe", invoice.key) +
           Element("dhEvento", invoice.received) + Element("tpEvento", "110111") +
           Element("nSeqEvento", "1") + Element("xEvento", "Cancelamento") +
           Element("dhRecbto", invoice.received) + Element("nProt", CancellationProtocol(invoice)) +
           "</resEvento>";
}

}  // namespace sample
