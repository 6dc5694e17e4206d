#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

// Case-insensitive comparisons of the page text fold only the ASCII letters: "a" to "z"
// become "A" to "Z" and every other byte, accented letters included, stays as it is. So
// "Situação" does not match "SITUAÇÃO".

constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::string AsciiUpperCase(std::string_view text);
std::string AsciiLowerCase(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// The 0-based position of the first occurrence of pattern in text at or after from, compared
// with ASCII folding, or npos. An empty pattern is never found. Neither text is copied.
std::size_t FindIgnoringCase(std::string_view text, std::string_view pattern, std::size_t from = 0);

}  // namespace text
