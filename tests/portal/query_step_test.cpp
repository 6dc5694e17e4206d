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
        QueryStep step;
    };
    const Case cases[] = {
        {http + "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8=",
         QueryStep::ShowCaptcha},
        {http + "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8%3d",
         QueryStep::WrongCaptcha},
        {http + "/portal/consultaCompleta.aspx?tipoConteudo=XbSeqxE8pl8=",
         QueryStep::PrintFromResult},
        {http + "/portal/visualizacaoNFe/completa/Default.aspx", QueryStep::PrintFromViewer},
        {http + "/portal/consultaImpressao.aspx?tipoConsulta=completa", QueryStep::CapturePage},
        {"https://portal.example:8443/portal/inexistente_completa.aspx", QueryStep::NotFound},
        // The escape in other letters, the page in other letters, over the other scheme, with
        // a trailing slash or a fragment: pages the table does not know.
        {http + "/portal/consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8%3D",
         QueryStep::PortalError},
        {http + "/portal/Consulta.aspx?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8=",
         QueryStep::PortalError},
        {"https://portal.example:8080/portal/consulta.aspx?tipoConsulta=completa&"
         "tipoConteudo=XbSeqxE8pl8=",
         QueryStep::PortalError},
        {"http://portal.example:8443/portal/inexistente_completa.aspx", QueryStep::PortalError},
        {http + "/portal/visualizacaoNFe/completa/Default.aspx#x", QueryStep::PortalError},
        {http + "/portal/manutencao.aspx", QueryStep::PortalError},
        {"", QueryStep::PortalError},
        {"about:blank", QueryStep::PortalError},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StepForPage(addresses, c.location, std::nullopt), c.step) << c.location;
    }
}

TEST(QueryStepTest, FirstEqualAddressOfTheTableDecides) {
    // Origins that make two pages share an address: the earlier row wins.
    auto addresses = PortalAddresses::FromOrigins("http://h", "https://h");
    addresses.notFoundPage = addresses.printPage;
    EXPECT_EQ(StepForPage(addresses, addresses.printPage, std::nullopt), QueryStep::CapturePage);
}

TEST(QueryStepTest, PageAnsweredWithAnHttpErrorIsThePortalsErrorWhateverItsAddress) {
    const auto addresses = PortalAddresses::FromOrigins("http://h", "https://h");
    for (const auto& location : {addresses.consultationPage, addresses.printPage,
                                 addresses.notFoundPage, addresses.wrongCaptchaReturn}) {
        for (const int status : {400, 404, 500, 503}) {
            EXPECT_EQ(StepForPage(addresses, location, status), QueryStep::PortalError)
                << location << " " << status;
        }
    }
}

}  // namespace
}  // namespace portal
