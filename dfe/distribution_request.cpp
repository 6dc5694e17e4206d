#include "dfe/distribution_request.h"

#include "dfe/namespaces.h"
#include "dfe/xml_document.h"
#include "nfe/access_key.h"

namespace dfe {
namespace {

// A namespace declared on element, whose href and prefix outlive the call.
xmlNs* Declare(xmlNode* element, const char* href, const char* prefix) {
    return xmlNewNs(element, XmlChars(href), XmlChars(prefix));
}

void AddQuery(xmlNode* request, const DistributionQuery& query) {
    if (const auto* dist = std::get_if<DistNsu>(&query)) {
        AddTextElement(xmlNewChild(request, nullptr, XmlChars("distNSU"), nullptr), nullptr,
                       "ultNSU", NsuText(dist->lastNsu));
    } else if (const auto* cons = std::get_if<ConsNsu>(&query)) {
        AddTextElement(xmlNewChild(request, nullptr, XmlChars("consNSU"), nullptr), nullptr, "NSU",
                       NsuText(cons->nsu));
    } else {
        AddTextElement(xmlNewChild(request, nullptr, XmlChars("consChNFe"), nullptr), nullptr,
                       "chNFe", std::get<ConsChNFe>(query).key);
    }
}

}  // namespace

const std::string_view kDistributionContentType =
    "application/soap+xml; charset=utf-8; "
    "action=\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeDistribuicaoDFe/nfeDistDFeInteresse\"";

std::string NsuText(std::uint64_t nsu) {
    return nfe::PadZeros(static_cast<std::int64_t>(nsu), 15);
}

std::string DistributionEnvelope(const DistributionRequest& request) {
    xmlNode* envelope = xmlNewNode(nullptr, XmlChars("Envelope"));
    XmlDocument document = XmlDocument::WithRoot(envelope);
    xmlSetNs(envelope, Declare(envelope, kNamespaceSoap12, "soap12"));
    xmlNode* body = xmlNewChild(envelope, nullptr, XmlChars("Body"), nullptr);

    xmlNode* operation = xmlNewChild(body, nullptr, XmlChars("nfeDistDFeInteresse"), nullptr);
    xmlSetNs(operation, Declare(operation, kNamespaceDistributionWsdl, nullptr));
    xmlNode* data = xmlNewChild(operation, nullptr, XmlChars("nfeDadosMsg"), nullptr);

    xmlNode* distribution = xmlNewChild(data, nullptr, XmlChars("distDFeInt"), nullptr);
    xmlSetNs(distribution, Declare(distribution, kNamespaceNFe, nullptr));
    xmlNewProp(distribution, XmlChars("versao"), XmlChars("1.01"));
    AddTextElement(distribution, nullptr, "tpAmb",
                   std::to_string(static_cast<int>(request.environment)));
    if (request.authorState) {
        AddTextElement(distribution, nullptr, "cUFAutor", nfe::PadZeros(*request.authorState, 2));
    }
    AddTextElement(distribution, nullptr, request.party.ElementName(), request.party.number);
    AddQuery(distribution, request.query);
    return document.Serialized();
}

}  // namespace dfe
