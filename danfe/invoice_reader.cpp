#include "danfe/invoice_reader.h"

#include <initializer_list>
#include <string>

#include "danfe/danfe_error.h"
#include "dfe/error.h"
#include "dfe/namespaces.h"
#include "dfe/xml_document.h"

namespace danfe {

namespace {

using dfe::kNamespaceNFe;

constexpr std::string_view kNotAuthorised = "O arquivo não é uma NF-e autorizada";

const xmlNode* Path(const xmlNode* from, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        if (from == nullptr) {
            return nullptr;
        }
        from = dfe::ChildElement(from, kNamespaceNFe, name);
    }
    return from;
}

std::string Text(const xmlNode* from, std::initializer_list<std::string_view> names) {
    const xmlNode* node = Path(from, names);
    return node != nullptr ? dfe::TextOf(node) : std::string();
}

// The first child element of any name, as the ICMS and IPI groups are named after their
// situation (ICMS00, ICMSSN102, IPITrib…).
const xmlNode* FirstChildElement(const xmlNode* parent) {
    if (parent == nullptr) {
        return nullptr;
    }
    for (const xmlNode* child = parent->children; child != nullptr; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) {
            return child;
        }
    }
    return nullptr;
}

Address ReadAddress(const xmlNode* address) {
    return {Text(address, {"xLgr"}),    Text(address, {"nro"}),  Text(address, {"xCpl"}),
            Text(address, {"xBairro"}), Text(address, {"xMun"}), Text(address, {"UF"}),
            Text(address, {"CEP"}),     Text(address, {"fone"})};
}

Party ReadParty(const xmlNode* party, std::string_view addressName) {
    Party read;
    read.cnpj = Text(party, {"CNPJ"});
    read.cpf = Text(party, {"CPF"});
    if (read.cnpj.empty() && read.cpf.empty()) {
        read.cnpj = Text(party, {"idEstrangeiro"});
    }
    read.name = Text(party, {"xNome"});
    read.stateRegistration = Text(party, {"IE"});
    read.substituteStateRegistration = Text(party, {"IEST"});
    read.municipalRegistration = Text(party, {"IM"});
    read.address = ReadAddress(Path(party, {addressName}));
    return read;
}

Item ReadItem(const xmlNode* det) {
    const xmlNode* product = Path(det, {"prod"});
    Item item;
    item.code = Text(product, {"cProd"});
    item.description = Text(product, {"xProd"});
    item.ncm = Text(product, {"NCM"});
    item.cfop = Text(product, {"CFOP"});
    item.unit = Text(product, {"uCom"});
    item.quantity = Text(product, {"qCom"});
    item.unitValue = Text(product, {"vUnCom"});
    item.total = Text(product, {"vProd"});
    item.notes = Text(det, {"infAdProd"});

    const xmlNode* icms = FirstChildElement(Path(det, {"imposto", "ICMS"}));
    const std::string cst = Text(icms, {"CST"});
    item.cst = Text(icms, {"orig"}) + (cst.empty() ? Text(icms, {"CSOSN"}) : cst);
    item.icmsBase = Text(icms, {"vBC"});
    item.icmsValue = Text(icms, {"vICMS"});
    item.icmsRate = Text(icms, {"pICMS"});

    const xmlNode* ipi = Path(det, {"imposto", "IPI", "IPITrib"});
    item.ipiValue = Text(ipi, {"vIPI"});
    item.ipiRate = Text(ipi, {"pIPI"});
    return item;
}

Totals ReadTotals(const xmlNode* total) {
    const xmlNode* icms = Path(total, {"ICMSTot"});
    const xmlNode* issqn = Path(total, {"ISSQNtot"});
    Totals read;
    read.icmsBase = Text(icms, {"vBC"});
    read.icms = Text(icms, {"vICMS"});
    read.stBase = Text(icms, {"vBCST"});
    read.st = Text(icms, {"vST"});
    read.products = Text(icms, {"vProd"});
    read.freight = Text(icms, {"vFrete"});
    read.insurance = Text(icms, {"vSeg"});
    read.discount = Text(icms, {"vDesc"});
    read.other = Text(icms, {"vOutro"});
    read.ipi = Text(icms, {"vIPI"});
    read.invoice = Text(icms, {"vNF"});
    read.importTax = Text(icms, {"vII"});
    read.fcp = Text(icms, {"vFCP"});
    read.fcpSt = Text(icms, {"vFCPST"});
    read.fcpStRetained = Text(icms, {"vFCPSTRet"});
    read.approximateTaxes = Text(icms, {"vTotTrib"});
    read.serviceValue = Text(issqn, {"vServ"});
    read.issqnBase = Text(issqn, {"vBC"});
    read.issqn = Text(issqn, {"vISS"});
    return read;
}

Transport ReadTransport(const xmlNode* transp) {
    const xmlNode* carrier = Path(transp, {"transporta"});
    const xmlNode* vehicle = Path(transp, {"veicTransp"});
    const xmlNode* volume = Path(transp, {"vol"});
    Transport read;
    read.freightMode = Text(transp, {"modFrete"});
    read.carrierDocument = Text(carrier, {"CNPJ"});
    if (read.carrierDocument.empty()) {
        read.carrierDocument = Text(carrier, {"CPF"});
    }
    read.carrierName = Text(carrier, {"xNome"});
    read.carrierStateRegistration = Text(carrier, {"IE"});
    read.carrierAddress = Text(carrier, {"xEnder"});
    read.carrierCity = Text(carrier, {"xMun"});
    read.carrierState = Text(carrier, {"UF"});
    read.vehiclePlate = Text(vehicle, {"placa"});
    read.vehicleState = Text(vehicle, {"UF"});
    read.vehicleAntt = Text(vehicle, {"RNTC"});
    read.volumes = Text(volume, {"qVol"});
    read.kind = Text(volume, {"esp"});
    read.brand = Text(volume, {"marca"});
    read.numbering = Text(volume, {"nVol"});
    read.grossWeight = Text(volume, {"pesoB"});
    read.netWeight = Text(volume, {"pesoL"});
    return read;
}

// The key of infNFe's Id, which the protocol's chNFe must repeat: a protocol of another
// invoice authorises nothing here.
std::string KeyOf(const xmlNode* infNFe, const xmlNode* infProt) {
    std::string key = dfe::AttributeOf(infNFe, "Id").value_or("");
    if (key.starts_with("NFe")) {
        key.erase(0, 3);
    }
    const std::string authorised = Text(infProt, {"chNFe"});
    if (authorised != key) {
        throw Error(std::string(kNotAuthorised) +
                    ": o protocolo de autorização é de outra chave de acesso.");
    }
    return key;
}

}  // namespace

Invoice ReadInvoice(std::string_view xml) {
    dfe::XmlDocument document = [&] {
        try {
            return dfe::XmlDocument::Parse(xml, "O arquivo");
        } catch (const dfe::Error& error) {
            throw Error(error.what());
        }
    }();
    const xmlNode* root = document.Root();
    if (!dfe::IsElement(root, kNamespaceNFe, "nfeProc")) {
        throw Error(std::string(kNotAuthorised) +
                    ": não é um nfeProc (a NF-e com o seu protocolo de autorização).");
    }
    const xmlNode* infNFe = Path(root, {"NFe", "infNFe"});
    const xmlNode* infProt = Path(root, {"protNFe", "infProt"});
    if (infNFe == nullptr) {
        throw Error(std::string(kNotAuthorised) + ": falta o grupo infNFe.");
    }
    const std::string status = Text(infProt, {"cStat"});
    if (status != "100" && status != "150") {
        throw Error(std::string(kNotAuthorised) +
                    (status.empty() ? ": falta o protocolo de autorização."
                                    : ": o protocolo traz a situação " + status + " " +
                                          Text(infProt, {"xMotivo"}) + "."));
    }
    Invoice invoice;
    invoice.key = KeyOf(infNFe, infProt);
    invoice.layout = dfe::AttributeOf(infNFe, "versao").value_or("");
    if (invoice.layout != "2.00" && invoice.layout != "3.10" && invoice.layout != "4.00") {
        throw Error("NF-e no leiaute " + invoice.layout +
                    ", que o DANFE não lê (leiautes 2.00, 3.10 e 4.00).");
    }
    if (invoice.key.size() != 44) {
        throw Error(std::string(kNotAuthorised) + ": a chave de acesso não tem 44 caracteres.");
    }
    const xmlNode* ide = Path(infNFe, {"ide"});
    invoice.environment = Text(ide, {"tpAmb"});
    invoice.operationKind = Text(ide, {"tpNF"});
    invoice.nature = Text(ide, {"natOp"});
    invoice.number = Text(ide, {"nNF"});
    invoice.series = Text(ide, {"serie"});
    invoice.issued = Text(ide, {invoice.layout == "2.00" ? "dEmi" : "dhEmi"});
    invoice.movement = Text(ide, {invoice.layout == "2.00" ? "dSaiEnt" : "dhSaiEnt"});
    invoice.movementTime = Text(ide, {"hSaiEnt"});
    invoice.protocol = Text(infProt, {"nProt"});
    invoice.authorised = Text(infProt, {"dhRecbto"});
    invoice.issuer = ReadParty(Path(infNFe, {"emit"}), "enderEmit");
    invoice.recipient = ReadParty(Path(infNFe, {"dest"}), "enderDest");

    const xmlNode* bill = Path(infNFe, {"cobr", "fat"});
    invoice.billNumber = Text(bill, {"nFat"});
    invoice.billOriginal = Text(bill, {"vOrig"});
    invoice.billDiscount = Text(bill, {"vDesc"});
    invoice.billNet = Text(bill, {"vLiq"});
    if (const xmlNode* billing = Path(infNFe, {"cobr"})) {
        for (const xmlNode* dup : dfe::ChildElements(billing, kNamespaceNFe, "dup")) {
            invoice.instalments.push_back(
                {Text(dup, {"nDup"}), Text(dup, {"dVenc"}), Text(dup, {"vDup"})});
        }
    }
    invoice.totals = ReadTotals(Path(infNFe, {"total"}));
    invoice.transport = ReadTransport(Path(infNFe, {"transp"}));
    for (const xmlNode* det : dfe::ChildElements(infNFe, kNamespaceNFe, "det")) {
        invoice.items.push_back(ReadItem(det));
    }
    invoice.taxpayerNotes = Text(infNFe, {"infAdic", "infCpl"});
    invoice.fiscoNotes = Text(infNFe, {"infAdic", "infAdFisco"});
    return invoice;
}

}  // namespace danfe
