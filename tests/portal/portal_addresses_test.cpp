#include "portal/portal_addresses.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace portal {
namespace {

TEST(PortalAddresses, BuiltFromTwoOrigins) {
    const auto a = PortalAddresses::FromOrigins("http://127.0.0.1:8080/", "https://localhost:8443");
    EXPECT_EQ(a.httpOrigin, "http://127.0.0.1:8080");
    EXPECT_EQ(a.consultationPage,
              "http://127.0.0.1:8080/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo="
              "XbSeqxE8pl8=");
    EXPECT_EQ(a.wrongCaptchaReturn,
              "http://127.0.0.1:8080/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo="
              "XbSeqxE8pl8%3d");
    EXPECT_EQ(a.resultPage,
              "http://127.0.0.1:8080/portal/consultaCompleta.aspx?tipoConteudo=XbSeqxE8pl8=");
    EXPECT_EQ(a.resultViewer, "http://127.0.0.1:8080/portal/visualizacaoNFe/completa/Default.aspx");
    EXPECT_EQ(a.printPage,
              "http://127.0.0.1:8080/portal/consultaImpressao.aspx?tipoConsulta=completa");
    EXPECT_EQ(a.notFoundPage, "https://localhost:8443/portal/inexistente_completa.aspx");
}

TEST(PortalAddresses, EnvironmentOrTheNationalPortal) {
    unsetenv("VELLORA_PORTAL_HTTP");
    setenv("VELLORA_PORTAL_HTTPS", "", 1);
    auto a = PortalAddresses::FromEnvironment();
    EXPECT_EQ(a.httpOrigin, "http://www.nfe.fazenda.gov.br");
    EXPECT_EQ(a.notFoundPage, "https://www.nfe.fazenda.gov.br/portal/inexistente_completa.aspx");

    setenv("VELLORA_PORTAL_HTTP", "http://127.0.0.1:9", 1);
    setenv("VELLORA_PORTAL_HTTPS", "https://127.0.0.1:10", 1);
    a = PortalAddresses::FromEnvironment();
    EXPECT_EQ(a.printPage,
              "http://127.0.0.1:9/portal/consultaImpressao.aspx?tipoConsulta=completa");
    EXPECT_EQ(a.notFoundPage, "https://127.0.0.1:10/portal/inexistente_completa.aspx");
}

}  // namespace
}  // namespace portal
