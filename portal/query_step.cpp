#include "portal/query_step.h"

namespace portal {

PassoConsulta PassoDaPagina(const PortalAddresses& addresses, std::string_view location,
                            std::optional<int> httpErrorStatus) {
    if (httpErrorStatus) {
        return PassoConsulta::ErroDoPortal;
    }
    const std::pair<const std::string&, PassoConsulta> table[] = {
        {addresses.consultationPage, PassoConsulta::MostrarCaptcha},
        {addresses.resultViewer, PassoConsulta::ImprimirDoVisualizador},
        {addresses.resultPage, PassoConsulta::ImprimirDoResultado},
        {addresses.printPage, PassoConsulta::CapturarPagina},
        {addresses.notFoundPage, PassoConsulta::NaoEncontrada},
        {addresses.wrongCaptchaReturn, PassoConsulta::CaptchaInvalido},
    };
    for (const auto& [address, step] : table) {
        if (location == address) {
            return step;
        }
    }
    return PassoConsulta::ErroDoPortal;
}

}  // namespace portal
