#include "text/printable.h"

namespace text {

std::string Printable(std::string_view text) {
    std::string printable;
    printable.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        // U+0080 to U+009F, the second set of control characters, in UTF-8.
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c1) {
            ++i;
            printable += ' ';
        } else if (byte < 0x20 || byte == 0x7F) {
            printable += ' ';
        } else {
            printable += text[i];
        }
    }
    return printable;
}

}  // namespace text
