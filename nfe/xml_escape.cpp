#include "nfe/xml_escape.h"

#include "text/windows1252.h"

namespace nfe {

std::string EscapeXmlText(std::string_view utf8) {
    std::string escaped;
    escaped.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        const auto c = text::DecodeUtf8(utf8, position);
        if (!c) {
            escaped += '?';
            continue;
        }
        switch (*c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                if ((*c < 0x20 && *c != '\t' && *c != '\n' && *c != '\r') || *c == 0xFFFE ||
                    *c == 0xFFFF) {
                    escaped += ' ';
                } else {
                    text::AppendUtf8(escaped, *c);
                }
        }
    }
    return escaped;
}

}  // namespace nfe
