#include "portal/query_step.h"

namespace portal {

QueryStep StepForPage(const PortalAddresses& addresses, std::string_view location,
                      std::optional<int> httpErrorStatus) {
    if (httpErrorStatus) {
        return QueryStep::PortalError;
    }
    const std::pair<const std::string&, QueryStep> table[] = {
        {addresses.consultationPage, QueryStep::ShowCaptcha},
        {addresses.resultViewer, QueryStep::PrintFromViewer},
        {addresses.resultPage, QueryStep::PrintFromResult},
        {addresses.printPage, QueryStep::CapturePage},
        {addresses.notFoundPage, QueryStep::NotFound},
        {addresses.wrongCaptchaReturn, QueryStep::WrongCaptcha},
    };
    for (const auto& [address, step] : table) {
        if (location == address) {
            return step;
        }
    }
    return QueryStep::PortalError;
}

}  // namespace portal
