#include "sample/portal/base64.h"

#include <algorithm>
#include <cstdint>

namespace sample {

std::string EncodeBase64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 3; ++j) {
            group <<= 8;
            if (j < count) {
                group |= static_cast<unsigned char>(bytes[i + j]);
            }
        }
        for (std::size_t j = 0; j < 4; ++j) {
            out += j <= count ? kAlphabet[(group >> (18 - 6 * j)) & 0x3F] : '=';
        }
    }
    return out;
}

}  // namespace sample
