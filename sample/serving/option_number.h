#pragma once

#include <string_view>

namespace sample {

// The value of a command-line option as a whole number from low to high. Throws
// std::invalid_argument naming the option and the range otherwise.
int OptionNumber(std::string_view option, std::string_view text, int low, int high);

}  // namespace sample
