#pragma once

#include <string_view>

namespace dfe {

// The XML namespaces of the service's messages.
inline constexpr std::string_view kNamespaceNFe = "http://www.portalfiscal.inf.br/nfe";
inline constexpr std::string_view kNamespaceDistributionWsdl =
    "http://www.portalfiscal.inf.br/nfe/wsdl/NFeDistribuicaoDFe";
inline constexpr std::string_view kNamespaceEventWsdl =
    "http://www.portalfiscal.inf.br/nfe/wsdl/NFeRecepcaoEvento4";
inline constexpr std::string_view kNamespaceSoap12 = "http://www.w3.org/2003/05/soap-envelope";
inline constexpr std::string_view kNamespaceXmlDsig = "http://www.w3.org/2000/09/xmldsig#";

}  // namespace dfe
