#pragma once

#include <string_view>

namespace text {

// Removes every character with a code of 32 or less (blanks, tabs, line breaks, control
// characters) from both ends. Bytes of 128 and above are text, not blanks.
constexpr std::string_view Trim(std::string_view text) {
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

constexpr bool IsBlank(std::string_view text) {
    return Trim(text).empty();
}

}  // namespace text
