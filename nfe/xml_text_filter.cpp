#include "nfe/xml_text_filter.h"

#include "text/trim.h"
#include "text/windows1252.h"

namespace nfe {
namespace {

constexpr std::u32string_view kAccented = U"àâêôûãõáéíóúçüîäëïöèìòùÀÂÊÔÛÃÕÁÉÍÓÚÇÜÎÄËÏÖÈÌÒÙ";
constexpr std::string_view kPlain = "aaeouaoaeioucuiaeioeiouAAEOUAOAEIOUCUIAEIOEIOU";
static_assert(kAccented.size() == kPlain.size());

char32_t WithoutAccent(char32_t c) {
    const auto position = kAccented.find(c);
    return position == std::u32string_view::npos ? c : static_cast<char32_t>(kPlain[position]);
}

bool HeldByWindows1252(char32_t c) {
    return text::Windows1252FromCodePoint(c).has_value();
}

void AppendEscaped(std::string& out, char32_t c) {
    switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            text::AppendUtf8(out, c);
    }
}

}  // namespace

std::string FilterElementText(std::string_view utf8, bool retirarEspacos, bool retirarAcentos) {
    std::string escaped;
    escaped.reserve(utf8.size());
    for (std::size_t position = 0; position < utf8.size();) {
        char32_t c = text::DecodeUtf8(utf8, position).value_or(U'?');
        if (retirarAcentos) {
            c = WithoutAccent(c);
        }
        if (!HeldByWindows1252(c)) {
            c = U'?';
        }
        if (retirarAcentos && (c < 32 || c > 126)) {
            c = U' ';
        }
        AppendEscaped(escaped, c);
    }

    std::string result;
    result.reserve(escaped.size());
    for (const char c : escaped) {
        if (!(retirarEspacos && c == ' ' && !result.empty() && result.back() == ' ')) {
            result += c;
        }
    }
    return std::string(text::Trim(result));
}

}  // namespace nfe
