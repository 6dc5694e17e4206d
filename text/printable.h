#pragma once

#include <string>
#include <string_view>

namespace text {

// Text from outside (a service's reasons, names in a document) made safe for a terminal or a
// single line: control characters, which could move the cursor or change the terminal's
// settings, become blanks.
std::string Printable(std::string_view text);

}  // namespace text
