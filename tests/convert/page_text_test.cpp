#include "convert/page_text.h"

#include <gtest/gtest.h>

#include "convert/w1252_literal.h"
#include "text/windows1252.h"

namespace convert {
namespace {

TEST(BuildPageText, JoinsLinesAndUnescapesSpacedAmpersands) {
    struct Case {
        std::string_view lines;
        std::string_view pageText;
    };
    const Case cases[] = {
        {"Versão XML\r\n3.10"_w1252, "Versão XML|&|3.10"_w1252},
        {"Versão XML\r\n3.10\r\n"_w1252, "Versão XML|&|3.10|&|"_w1252},
        {"\r\n\r\n", "|&||&|"},
        {"Alfa &amp; Beta", "Alfa & Beta"},
        {"A&amp;B", "A&amp;B"},
        // Replaced left to right without overlap: the second entity has no blank before it.
        {"a &amp; &amp; b", "a & &amp; b"},
        {"a &amp;\r\n b", "a &amp;|&| b"},
        // Lone CR or LF are not line breaks of the page lines.
        {"a\rb\nc", "a\rb\nc"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildPageText(c.lines), c.pageText) << c.lines;
    }
}

TEST(W1252Literal, GivesTheCodePageBytesAtCompileTime) {
    static_assert("Situação Atual: "_w1252 == "Situa\xE7\xE3o Atual: ");
    static_assert("|&|DESTINATÁRIO "_w1252 == "|&|DESTINAT\xC1RIO ");
    static_assert("€ “x” Œ"_w1252 == "\x80 \x93x\x94 \x8C");
    static_assert(""_w1252.empty());
    static_assert("a\0b"_w1252.size() == 3);
}

TEST(W1252Literal, AgreesWithTheRuntimeConversionOnEveryCharacter) {
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const std::optional<unsigned char> expected = text::Windows1252FromCodePoint(c);
        ASSERT_EQ(w1252_detail::ByteOf(c), expected ? *expected : -1) << static_cast<int>(c);
    }
}

}  // namespace
}  // namespace convert
