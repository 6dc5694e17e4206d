#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// Labels and headings are written in the sources as readable UTF-8, while the page text they
// are searched in is Windows-1252. The literal suffix _w1252 converts a label at compile time:
//
//     using namespace convert::literals;  // not needed inside namespace convert
//     constexpr std::string_view label = "Situação Atual: "_w1252;  // "Situa\xE7\xE3o Atual: "
//
// The result is a std::string_view over static bytes, with no cost at run time. A character
// that Windows-1252 cannot hold, or a literal that is not valid UTF-8, stops the compilation
// with an error that names CharacterOutsideWindows1252 or InvalidUtf8InLiteral.

namespace convert {

// A string literal as a template argument, its bytes and the terminating zero.
template <std::size_t N>
struct Utf8Literal {
    char bytes[N]{};

    consteval Utf8Literal(const char (&text)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            bytes[i] = text[i];
        }
    }
};

namespace w1252_detail {

// Never defined: a call reached during constant evaluation is the compile error.
void CharacterOutsideWindows1252();
void InvalidUtf8InLiteral();

// Unicode characters of the bytes 0x80 to 0x9F; the rest of the code page is Latin-1. The five
// bytes the code page leaves undefined stand for the control characters of the same number.
inline constexpr char32_t kHighCharacters[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The Windows-1252 byte of a character, or -1 when there is none.
constexpr int ByteOf(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighCharacters[i] == c) {
            return 0x80 + i;
        }
    }
    return -1;
}

constexpr bool IsContinuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Every character becomes one byte; the terminating zero is not part of the text.
template <Utf8Literal S>
consteval std::size_t CharacterCount() {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < sizeof(S.bytes); ++i) {
        count += IsContinuation(S.bytes[i]) ? 0 : 1;
    }
    return count;
}

template <Utf8Literal S>
consteval std::array<char, CharacterCount<S>()> Convert() {
    std::array<char, CharacterCount<S>()> out{};
    const std::size_t size = sizeof(S.bytes) - 1;
    std::size_t position = 0;
    for (char& target : out) {
        const auto lead = static_cast<unsigned char>(S.bytes[position++]);
        std::size_t length = 0;
        char32_t c = lead;
        char32_t minimum = 0;
        if (lead >= 0xF8 || (lead >= 0x80 && lead < 0xC0)) {
            InvalidUtf8InLiteral();
        } else if (lead >= 0xF0) {
            length = 3, c = lead & 0x07, minimum = 0x10000;
        } else if (lead >= 0xE0) {
            length = 2, c = lead & 0x0F, minimum = 0x800;
        } else if (lead >= 0xC0) {
            length = 1, c = lead & 0x1F, minimum = 0x80;
        }
        for (std::size_t i = 0; i < length; ++i) {
            if (position >= size || !IsContinuation(S.bytes[position])) {
                InvalidUtf8InLiteral();
            }
            c = (c << 6) | (static_cast<unsigned char>(S.bytes[position++]) & 0x3F);
        }
        if (c < minimum) {
            InvalidUtf8InLiteral();
        }
        const int byte = ByteOf(c);
        if (byte < 0) {
            CharacterOutsideWindows1252();
        }
        target = static_cast<char>(byte);
    }
    return out;
}

template <Utf8Literal S>
inline constexpr auto kBytes = Convert<S>();

}  // namespace w1252_detail

inline namespace literals {

template <Utf8Literal S>
consteval std::string_view operator""_w1252() {
    return {w1252_detail::kBytes<S>.data(), w1252_detail::kBytes<S>.size()};
}

}  // namespace literals
}  // namespace convert
