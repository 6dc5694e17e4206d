#include "app/scrambling.h"

#include <algorithm>
#include <cstdint>

namespace app {

namespace {

constexpr std::string_view kAlphabet =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz+/";

}  // namespace

std::string CodificarValor(std::string_view text) {
    std::uint32_t acc = 0;
    int bits = 0;
    std::string result;
    for (const char c : text) {
        acc = acc * 256 + static_cast<unsigned char>(c);
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            result += kAlphabet[acc >> bits];
            acc &= (1u << bits) - 1;
        }
    }
    if (bits > 0) {
        result += kAlphabet[acc << (6 - bits)];
    }
    return result;
}

std::string DecodificarValor(std::string_view text) {
    std::uint32_t acc = 0;
    int bits = 0;
    std::string result;
    for (const char c : text) {
        const auto v = kAlphabet.find(c);
        if (v == std::string_view::npos) {
            break;
        }
        acc = acc * 64 + static_cast<std::uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            result += static_cast<char>((acc >> bits) & 0xFF);
            acc &= (1u << bits) - 1;
        }
    }
    return result;
}

std::string ReverseText(std::string_view text) {
    return std::string(text.rbegin(), text.rend());
}

std::string StoredForm(std::string_view value) {
    return ReverseText(CodificarValor(value));
}

std::string ValueOfStoredForm(std::string_view stored) {
    return DecodificarValor(ReverseText(stored));
}

}  // namespace app
