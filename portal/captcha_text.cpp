#include "portal/captcha_text.h"

namespace portal {

std::string TextoDoCaptcha(std::string_view bodyMarkup) {
    constexpr std::string_view kMarcador = "data:image/png;base64,";
    constexpr std::string_view kTerminador = "\"> <INPUT";
    const auto marker = bodyMarkup.find(kMarcador);
    if (marker == std::string_view::npos) {
        return {};
    }
    const auto rest = bodyMarkup.substr(marker + kMarcador.size());
    const auto end = rest.find(kTerminador);
    if (end == std::string_view::npos) {
        return {};
    }
    return std::string(rest.substr(0, end));
}

}  // namespace portal
