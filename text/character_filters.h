#pragma once

#include <string>
#include <string_view>

namespace text {

constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits "0" to "9" of text, in their order.
std::string DigitsOnly(std::string_view text);

// The ASCII letters and digits of text, in their order; accented letters, blanks and
// punctuation are dropped.
std::string LettersAndDigitsOnly(std::string_view text);

}  // namespace text
