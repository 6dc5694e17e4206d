#pragma once

#include <string>
#include <string_view>

namespace nfe {

// UTF-8 text made safe to stand between tags or inside a double-quoted attribute: "&", "<",
// ">", '"' and "'" become references, characters that XML 1.0 cannot carry (control
// characters other than tab, line feed and carriage return, U+FFFE and U+FFFF) become
// spaces, and bytes that are not UTF-8 become "?". Everything else is kept as it is.
std::string EscapeXmlText(std::string_view utf8);

}  // namespace nfe
