#pragma once

#include <string_view>

namespace nfe {

// The text without the blanks and control characters (everything up to the space) at its
// ends, the way texts are trimmed throughout the document.
inline std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace nfe
