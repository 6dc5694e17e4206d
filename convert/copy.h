#pragma once

#include <cstdint>
#include <string_view>

namespace convert {

// The characters of text from the 1-based position index on, at most count of them. An index
// below 1 counts as 1; an index past the end or a negative count gives the empty text; a count
// that runs past the end stops at the end. Positions after a label or a heading are counted
// this way throughout the conversion.
constexpr std::string_view Copy(std::string_view text, std::int64_t index, std::int64_t count) {
    const std::int64_t size = static_cast<std::int64_t>(text.size());
    if (index < 1) {
        index = 1;
    }
    if (index > size || count <= 0) {
        return {};
    }
    const std::int64_t available = size - index + 1;
    return text.substr(static_cast<std::size_t>(index - 1),
                       static_cast<std::size_t>(count < available ? count : available));
}

}  // namespace convert
