#pragma once

#include <string>
#include <string_view>

namespace portal {

// The Base64 text of the security image inside the consultation page's body markup (as the
// legacy serialiser writes it, with capital tag names): what follows the first
// "data:image/png;base64," up to the first '"' directly followed by "> <INPUT". Empty when
// either is missing.
std::string CaptchaText(std::string_view bodyMarkup);

}  // namespace portal
