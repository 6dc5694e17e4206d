#include "portal/captcha_text.h"

namespace portal {

std::string CaptchaText(std::string_view bodyMarkup) {
    constexpr std::string_view kMarker = "data:image/png;base64,";
    constexpr std::string_view kTerminator = "\"> <INPUT";
    const auto marker = bodyMarkup.find(kMarker);
    if (marker == std::string_view::npos) {
        return {};
    }
    const auto rest = bodyMarkup.substr(marker + kMarker.size());
    const auto end = rest.find(kTerminator);
    if (end == std::string_view::npos) {
        return {};
    }
    return std::string(rest.substr(0, end));
}

}  // namespace portal
