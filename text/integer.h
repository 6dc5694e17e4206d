#pragma once

#include <charconv>
#include <concepts>
#include <optional>
#include <string_view>

namespace text {

// The whole of text as a number of the type asked for: digits, after a minus sign where the
// type takes one. An empty text, any other character (a plus sign or a blank included) or a
// value outside the type gives nullopt.
template <std::integral Number>
std::optional<Number> ParseInteger(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace text
