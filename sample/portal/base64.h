#pragma once

#include <string>
#include <string_view>

namespace sample {

// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks).
std::string EncodeBase64(std::string_view bytes);

}  // namespace sample
