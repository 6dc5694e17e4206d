#include "dfe/event_request.h"

#include "dfe/namespaces.h"

namespace dfe {

const std::string_view kEventContentType =
    "application/soap+xml; charset=utf-8; "
    "action=\"http://www.portalfiscal.inf.br/nfe/wsdl/NFeRecepcaoEvento4/nfeRecepcaoEventoNF\"";

std::string EventEnvelope(std::uint64_t batchId, const std::vector<std::string>& signedEvents) {
    // Put together as text, because a signed event must reach the service byte for byte.
    std::string envelope =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soap12:Envelope xmlns:soap12=\"" +
        std::string(kNamespaceSoap12) + "\"><soap12:Body><nfeDadosMsg xmlns=\"" +
        std::string(kNamespaceEventWsdl) + "\"><envEvento xmlns=\"" + std::string(kNamespaceNFe) +
        "\" versao=\"1.00\"><idLote>" + std::to_string(batchId % 1'000'000'000'000'000) +
        "</idLote>";
    for (const std::string& event : signedEvents) {
        envelope += event;
    }
    return envelope + "</envEvento></nfeDadosMsg></soap12:Body></soap12:Envelope>";
}

}  // namespace dfe
