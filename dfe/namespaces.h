#pragma once

namespace dfe {

// The XML namespaces of the service's messages, terminated as libxml2 takes them.
inline constexpr char kNamespaceNFe[] = "http://www.portalfiscal.inf.br/nfe";
inline constexpr char kNamespaceDistributionWsdl[] =
    "http://www.portalfiscal.inf.br/nfe/wsdl/NFeDistribuicaoDFe";
inline constexpr char kNamespaceEventWsdl[] =
    "http://www.portalfiscal.inf.br/nfe/wsdl/NFeRecepcaoEvento4";
inline constexpr char kNamespaceSoap12[] = "http://www.w3.org/2003/05/soap-envelope";
inline constexpr char kNamespaceXmlDsig[] = "http://www.w3.org/2000/09/xmldsig#";

}  // namespace dfe
