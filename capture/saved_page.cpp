#include "capture/saved_page.h"

#include <gumbo.h>

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <vector>

#include "capture/parsed_html.h"
#include "text/ascii_case.h"
#include "text/windows1252.h"

namespace capture {
namespace {

enum class Charset { kUtf8, kWindows1252 };

bool IsAsciiSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string NormalisedLabel(std::string_view label) {
    while (!label.empty() && IsAsciiSpace(label.front())) {
        label.remove_prefix(1);
    }
    while (!label.empty() && IsAsciiSpace(label.back())) {
        label.remove_suffix(1);
    }
    std::string result(label);
    std::transform(result.begin(), result.end(), result.begin(), text::AsciiLower);
    return result;
}

// The labels by which browsers know the two character sets that the portal uses.
Charset CharsetOfLabel(std::string_view label) {
    static constexpr std::array<std::string_view, 3> kUtf8 = {"utf-8", "utf8", "unicode-1-1-utf-8"};
    static constexpr std::array<std::string_view, 17> kWindows1252 = {
        "windows-1252", "x-cp1252",      "cp1252",     "iso-8859-1",      "iso8859-1",
        "iso88591",     "iso_8859-1",    "iso-ir-100", "iso_8859-1:1987", "latin1",
        "l1",           "cp819",         "ibm819",     "csisolatin1",     "us-ascii",
        "ascii",        "ansi_x3.4-1968"};
    const std::string normalised = NormalisedLabel(label);
    if (std::find(kUtf8.begin(), kUtf8.end(), normalised) != kUtf8.end()) {
        return Charset::kUtf8;
    }
    if (std::find(kWindows1252.begin(), kWindows1252.end(), normalised) != kWindows1252.end()) {
        return Charset::kWindows1252;
    }
    throw std::runtime_error("Conjunto de caracteres não suportado: " + std::string(label));
}

// The value after "charset=" in a Content-Type such as "text/html; charset=windows-1252".
std::optional<std::string> CharsetOfContentType(std::string_view content) {
    std::string folded(content);
    std::transform(folded.begin(), folded.end(), folded.begin(), text::AsciiLower);
    for (std::size_t at = folded.find("charset"); at != std::string::npos;
         at = folded.find("charset", at)) {
        std::size_t i = at + 7;
        while (i < content.size() && IsAsciiSpace(content[i])) {
            ++i;
        }
        if (i == content.size() || content[i] != '=') {
            at = i;
            continue;
        }
        ++i;
        while (i < content.size() && IsAsciiSpace(content[i])) {
            ++i;
        }
        if (i < content.size() && (content[i] == '"' || content[i] == '\'')) {
            const std::size_t close = content.find(content[i], i + 1);
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            return std::string(content.substr(i + 1, close - i - 1));
        }
        std::size_t end = i;
        while (end < content.size() && !IsAsciiSpace(content[end]) && content[end] != ';') {
            ++end;
        }
        return std::string(content.substr(i, end - i));
    }
    return std::nullopt;
}

std::optional<std::string> CharsetOfMeta(const GumboElement& meta) {
    if (const GumboAttribute* charset = gumbo_get_attribute(&meta.attributes, "charset")) {
        return std::string(charset->value);
    }
    const GumboAttribute* httpEquiv = gumbo_get_attribute(&meta.attributes, "http-equiv");
    const GumboAttribute* content = gumbo_get_attribute(&meta.attributes, "content");
    if (httpEquiv != nullptr && content != nullptr &&
        NormalisedLabel(httpEquiv->value) == "content-type") {
        return CharsetOfContentType(content->value);
    }
    return std::nullopt;
}

// The label of the first meta element that declares a character set, in document order.
// The parser copes with bytes that are not UTF-8, and the declarations are plain ASCII.
std::optional<std::string> DeclaredCharsetLabel(std::string_view html) {
    const ParsedHtml parsed(html);
    std::optional<std::string> label;
    std::vector<const GumboNode*> pending{parsed.root()};
    while (!pending.empty() && !label) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) {
            continue;
        }
        const GumboElement& element = node->v.element;
        if (element.tag == GUMBO_TAG_META) {
            label = CharsetOfMeta(element);
            if (label && NormalisedLabel(*label).empty()) {
                label.reset();
            }
        }
        for (unsigned int i = element.children.length; i > 0; --i) {
            pending.push_back(static_cast<const GumboNode*>(element.children.data[i - 1]));
        }
    }
    return label;
}

}  // namespace

std::string DecodeSavedPage(std::string fileContents) {
    constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
    if (fileContents.starts_with(kUtf8ByteOrderMark)) {
        fileContents.erase(0, kUtf8ByteOrderMark.size());
        return fileContents;
    }
    const std::optional<std::string> declared = DeclaredCharsetLabel(fileContents);
    Charset charset = Charset::kUtf8;
    if (declared) {
        charset = CharsetOfLabel(*declared);
    } else if (!text::IsValidUtf8(fileContents)) {
        charset = Charset::kWindows1252;
    }
    if (charset == Charset::kWindows1252) {
        return text::Windows1252ToUtf8(fileContents);
    }
    return fileContents;
}

}  // namespace capture
