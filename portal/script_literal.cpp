#include "portal/script_literal.h"

#include <cstdio>

namespace portal {

std::string ScriptStringLiteral(std::string_view text) {
    std::string literal = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            literal += '\\';
            literal += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            literal += escape;
        } else if (c == 0xE2 && text.substr(i + 1, 1) == "\x80" &&
                   (text.substr(i + 2, 1) == "\xA8" || text.substr(i + 2, 1) == "\xA9")) {
            // U+2028 and U+2029 end a line in older script engines.
            literal += text[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
            i += 2;
        } else {
            literal += static_cast<char>(c);
        }
    }
    return literal + "\"";
}

}  // namespace portal
