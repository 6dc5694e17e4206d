#pragma once

#include <cstddef>
#include <string_view>

namespace text {

// The characters of a UTF-8 text: every byte but the continuation bytes of a sequence.
constexpr std::size_t Utf8CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

}  // namespace text
