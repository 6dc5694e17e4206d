#include "portal/query_step.h"

#include <gtest/gtest.h>

namespace portal {
namespace {

TEST(QueryStepTest, PageRecognisedByTheWholeExactAddress) {
    const auto addresses =
        PortalAddresses::FromOrigins("http://portal.example:8080", "https://portal.example:8443");
    const std::string http = "http://portal.example:8080";
    struct Case {
        std::string location;
        PassoConsulta step;
    };
    const Case cases[] = {
        {http + "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8=",
         PassoConsulta::MostrarCaptcha},
        {http + "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8%3d",
         PassoConsulta::CaptchaInvalido},
        {http + "/portal/consultaCompleta.aspx?tipoConteudo=XbSeqxE8pl8=",
         PassoConsulta::ImprimirDoResultado},
        {http + "/portal/visualizacaoNFe/completa/Default.aspx",
         PassoConsulta::ImprimirDoVisualizador},
        {http + "/portal/consultaImpressao.aspx?tipoConsulta=completa",
         PassoConsulta::CapturarPagina},
        {"https://portal.example:8443/portal/inexistente_completa.aspx",
         PassoConsulta::NaoEncontrada},
        // The escape in other letters, the page in other letters, over the other scheme, with
        // a trailing slash or a fragment: pages the table does not know.
        {http + "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8%3D",
         PassoConsulta::ErroDoPortal},
        {http + "/portal/Consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8=",
         PassoConsulta::ErroDoPortal},
        {"https://portal.example:8080/portal/consulta.aspx?tipoConsulta=completa&"
         "tipoConteudo=XbSeqxE8pl8=",
         PassoConsulta::ErroDoPortal},
        {"http://portal.example:8443/portal/inexistente_completa.aspx",
         PassoConsulta::ErroDoPortal},
        {http + "/portal/visualizacaoNFe/completa/Default.aspx#x", PassoConsulta::ErroDoPortal},
        {http + "/portal/manutencao.aspx", PassoConsulta::ErroDoPortal},
        {"", PassoConsulta::ErroDoPortal},
        {"about:blank", PassoConsulta::ErroDoPortal},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PassoDaPagina(addresses, c.location, std::nullopt), c.step) << c.location;
    }
}

TEST(QueryStepTest, FirstEqualAddressOfTheTableDecides) {
    // Origins that make two pages share an address: the earlier row wins.
    auto addresses = PortalAddresses::FromOrigins("http://h", "https://h");
    addresses.notFoundPage = addresses.printPage;
    EXPECT_EQ(PassoDaPagina(addresses, addresses.printPage, std::nullopt),
              PassoConsulta::CapturarPagina);
}

TEST(QueryStepTest, PageAnsweredWithAnHttpErrorIsThePortalsErrorWhateverItsAddress) {
    const auto addresses = PortalAddresses::FromOrigins("http://h", "https://h");
    for (const auto& location : {addresses.consultationPage, addresses.printPage,
                                 addresses.notFoundPage, addresses.wrongCaptchaReturn}) {
        for (const int status : {400, 404, 500, 503}) {
            EXPECT_EQ(PassoDaPagina(addresses, location, status), PassoConsulta::ErroDoPortal)
                << location << " " << status;
        }
    }
}

}  // namespace
}  // namespace portal
