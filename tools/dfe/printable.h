#pragma once

#include <string>
#include <string_view>

namespace tools {

// Text from outside (the service's reasons, error details) made safe for a terminal: control
// characters, which could move the cursor or change the terminal's settings, become blanks.
std::string Printable(std::string_view text);

}  // namespace tools
