#include "catalog/document_facts.h"

#include <charconv>

#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "nfe/access_key.h"

namespace catalog {
namespace {

using dfe::ChildElement;
using dfe::ChildText;
using dfe::FindElement;
using dfe::kNamespaceNFe;

std::string Text(const xmlNode* parent, std::string_view name) {
    return parent != nullptr ? ChildText(parent, kNamespaceNFe, name).value_or("") : "";
}

// "1234.56" as 123456; a missing or unreadable value counts as zero.
std::int64_t Cents(std::string_view value) {
    const std::size_t dot = value.find('.');
    std::string digits(value.substr(0, dot));
    std::string fraction = dot == std::string_view::npos ? "" : std::string(value.substr(dot + 1));
    fraction = (fraction + "00").substr(0, 2);
    digits += fraction;
    std::int64_t cents = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), cents);
    return error == std::errc() && end == digits.data() + digits.size() ? cents : 0;
}

std::string Day(std::string_view dateTime) {
    return dateTime.size() >= 10 ? std::string(dateTime.substr(0, 10)) : std::string(dateTime);
}

std::optional<int> Operation(const std::string& text) {
    if (text == "0" || text == "1") {
        return text == "1" ? 1 : 0;
    }
    return std::nullopt;
}

std::string CheckedKey(std::string key) {
    if (!nfe::IsValidAccessKey(key)) {
        throw NotAnNFeDocument("a chave de acesso do documento não é válida");
    }
    return key;
}

std::string Issuer(const xmlNode* parent) {
    const std::string cnpj = Text(parent, "CNPJ");
    return cnpj.empty() ? Text(parent, "CPF") : cnpj;
}

DocumentFacts Invoice(const xmlNode* root) {
    DocumentFacts facts;
    facts.kind = DocumentKind::invoice;
    const xmlNode* information = FindElement(root, kNamespaceNFe, "infNFe");
    const xmlNode* protocol = FindElement(root, kNamespaceNFe, "infProt");
    if (information == nullptr) {
        throw NotAnNFeDocument("falta infNFe");
    }
    std::string key = Text(protocol, "chNFe");
    if (key.empty()) {
        const std::string id = dfe::AttributeOf(information, "Id").value_or("");
        key = id.starts_with("NFe") ? id.substr(3) : id;
    }
    facts.key = CheckedKey(key);
    const xmlNode* ide = ChildElement(information, kNamespaceNFe, "ide");
    const xmlNode* issuer = ChildElement(information, kNamespaceNFe, "emit");
    const std::string issued = Text(ide, "dhEmi");
    facts.issued = Day(issued.empty() ? Text(ide, "dEmi") : issued);
    facts.operation = Operation(Text(ide, "tpNF"));
    facts.issuer = Issuer(issuer);
    facts.issuerName = Text(issuer, "xNome");
    facts.valueCents = Cents(Text(FindElement(information, kNamespaceNFe, "ICMSTot"), "vNF"));
    const std::string status = Text(protocol, "cStat");
    if (status == "110" || status == "301" || status == "302" || status == "303") {
        facts.situation = Situation::denied;
    }
    return facts;
}

DocumentFacts Summary(const xmlNode* root) {
    DocumentFacts facts;
    facts.kind = DocumentKind::summary;
    facts.key = CheckedKey(Text(root, "chNFe"));
    facts.issuer = Issuer(root);
    facts.issuerName = Text(root, "xNome");
    facts.issued = Day(Text(root, "dhEmi"));
    facts.operation = Operation(Text(root, "tpNF"));
    facts.valueCents = Cents(Text(root, "vNF"));
    const std::string situation = Text(root, "cSitNFe");
    facts.situation = situation == "3"   ? Situation::cancelled
                      : situation == "2" ? Situation::denied
                                         : Situation::authorised;
    return facts;
}

DocumentFacts Event(const xmlNode* information, const xmlNode* answer) {
    DocumentFacts facts;
    facts.kind = DocumentKind::event;
    facts.key = CheckedKey(Text(information, "chNFe"));
    facts.eventType = Text(information, "tpEvento");
    const std::string sequence = Text(information, "nSeqEvento");
    std::from_chars(sequence.data(), sequence.data() + sequence.size(), facts.sequence);
    facts.moment = Text(information, "dhEvento");
    facts.protocol = Text(answer, "nProt");
    if (facts.eventType.size() != 6 || facts.sequence < 1) {
        throw NotAnNFeDocument("o evento não tem tipo e sequência");
    }
    return facts;
}

}  // namespace

std::string KeyNumber(std::string_view key) {
    std::string number(key.substr(25, 9));
    const std::size_t first = number.find_first_not_of('0');
    return first == std::string::npos ? "0" : number.substr(first);
}

std::string KeySeries(std::string_view key) {
    std::string series(key.substr(22, 3));
    const std::size_t first = series.find_first_not_of('0');
    return first == std::string::npos ? "0" : series.substr(first);
}

std::string_view ManifestationOf(std::string_view eventType) {
    if (eventType == "210200") {
        return "confirmada";
    }
    if (eventType == "210210") {
        return "ciência";
    }
    if (eventType == "210220") {
        return "desconhecida";
    }
    if (eventType == "210240") {
        return "não realizada";
    }
    return "";
}

DocumentFacts ReadDocumentFacts(std::string_view xml) {
    std::optional<dfe::XmlDocument> document;
    try {
        document = dfe::XmlDocument::Parse(xml, "O documento");
    } catch (const dfe::Error& error) {
        throw NotAnNFeDocument(error.what());
    }
    const xmlNode* root = document->Root();
    if (dfe::IsElement(root, kNamespaceNFe, "nfeProc")) {
        return Invoice(root);
    }
    if (dfe::IsElement(root, kNamespaceNFe, "resNFe")) {
        return Summary(root);
    }
    if (dfe::IsElement(root, kNamespaceNFe, "procEventoNFe")) {
        const xmlNode* answer = ChildElement(root, kNamespaceNFe, "retEvento");
        return Event(FindElement(root, kNamespaceNFe, "infEvento"),
                     answer != nullptr ? FindElement(answer, kNamespaceNFe, "infEvento") : nullptr);
    }
    if (dfe::IsElement(root, kNamespaceNFe, "resEvento")) {
        return Event(root, root);
    }
    throw NotAnNFeDocument("não é um documento da NF-e");
}

}  // namespace catalog
