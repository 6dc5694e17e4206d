#include "portal/portal_addresses.h"

#include <cstdlib>

namespace portal {

namespace {

std::string WithoutTrailingSlash(std::string_view origin) {
    while (origin.ends_with('/')) {
        origin.remove_suffix(1);
    }
    return std::string(origin);
}

std::string_view EnvironmentOr(const char* name, std::string_view fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::string_view(value) : fallback;
}

}  // namespace

PortalAddresses PortalAddresses::FromOrigins(std::string_view httpOrigin,
                                             std::string_view httpsOrigin) {
    const auto http = WithoutTrailingSlash(httpOrigin);
    const auto https = WithoutTrailingSlash(httpsOrigin);
    PortalAddresses addresses;
    addresses.httpOrigin = http;
    addresses.httpsOrigin = https;
    addresses.consultationPage =
        http + "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8=";
    addresses.wrongCaptchaReturn =
        http + "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8%3d";
    addresses.resultPage = http + "/portal/consultaCompleta.aspx?tipoConteudo=XbSeqxE8pl8=";
    addresses.resultViewer = http + "/portal/visualizacaoNFe/completa/Default.aspx";
    addresses.printPage = http + "/portal/consultaImpressao.aspx?tipoConsulta=completa";
    addresses.notFoundPage = https + "/portal/inexistente_completa.aspx";
    return addresses;
}

PortalAddresses PortalAddresses::FromEnvironment() {
    auto addresses =
        FromOrigins(EnvironmentOr("VELLORA_PORTAL_HTTP", "http://www.nfe.fazenda.gov.br"),
                    EnvironmentOr("VELLORA_PORTAL_HTTPS", "https://www.nfe.fazenda.gov.br"));
    const auto authority = EnvironmentOr("VELLORA_PORTAL_CA", "");
    if (!authority.empty()) {
        addresses.trustedAuthorities.emplace_back(authority);
    }
    return addresses;
}

}  // namespace portal
