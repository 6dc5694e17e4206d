#include <gtest/gtest.h>

#include <random>
#include <string>

#include "convert/w1252_literal.h"
#include "text/ascii_case.h"
#include "text/trim.h"

namespace text {
namespace {

using namespace convert::literals;

constexpr auto npos = std::string_view::npos;

TEST(AsciiUpperCase, FoldsOnlyAsciiLetters) {
    EXPECT_EQ(AsciiUpperCase("Situação atual: z{}@`"_w1252), "SITUAçãO ATUAL: Z{}@`"_w1252);
    EXPECT_EQ(AsciiUpperCase("ÇÃ çã"_w1252), "ÇÃ çã"_w1252);
    EXPECT_EQ(AsciiLowerCase("Situação ATUAL: Z{}@`"_w1252), "situação atual: z{}@`"_w1252);
    EXPECT_TRUE(EqualsIgnoringCase("VELLORA", "vellora"));
    EXPECT_FALSE(EqualsIgnoringCase("SITUAÇÃO"_w1252, "situação"_w1252));
    EXPECT_FALSE(EqualsIgnoringCase("fcon", "fco"));
}

TEST(FindIgnoringCase, FindsTheFirstFoldedOccurrence) {
    struct Case {
        std::string_view text;
        std::string_view pattern;
        std::size_t from;
        std::size_t expected;
    };
    const Case cases[] = {
        {"Tipo de emissão"_w1252, "TIPO DE EMISSÃO"_w1252, 0, npos},
        {"tipo de emissão"_w1252, "Tipo de Emissão"_w1252, 0, 0},
        {"x TIPO DE EMISSão"_w1252, "Tipo de Emissão"_w1252, 0, 2},
        {"SITUAÇÃO ATUAL: "_w1252, "Situação Atual: "_w1252, 0, npos},
        {"SUFRAMA|&|UF SP", "uf", 0, 1},
        {"SUFRAMA|&|UF SP", "uf", 2, 10},
        {"aAaA", "aa", 3, npos},
        {"aAaA", "aa", 2, 2},
        {"abc", "abc", 0, 0},
        {"abc", "abcd", 0, npos},
        {"abc", "", 0, npos},
        {"abc", "c", 3, npos},
        {"abc", "c", 4, npos},
        {"", "a", 0, npos},
        {"|&|Emissão|&|"_w1252, "|&|emissão"_w1252, 0, 0},
        {"\xC7\xE7\xC7", "\xC7", 1, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindIgnoringCase(c.text, c.pattern, c.from), c.expected)
            << c.text << " / " << c.pattern << " from " << c.from;
    }
}

// The fast paths (16 positions at a time, then memchr for the last ones) must never skip a
// match nor accept a false one; compare with a plain scan on texts made of few bytes, so that
// near-matches and overlaps are frequent. "@" and "`" differ from each other only by the case
// bit, as ASCII letters do, but are not folded.
TEST(FindIgnoringCase, AgreesWithAPlainScan) {
    const auto plainFind = [](std::string_view text, std::string_view pattern, std::size_t from) {
        const std::string folded = AsciiUpperCase(text);
        return pattern.empty() ? npos : folded.find(AsciiUpperCase(pattern), from);
    };
    std::mt19937 random(20150302);
    const std::string alphabet = "aAbB|@`\xE7\xC7 ";
    const auto randomText = [&](std::size_t maxSize) {
        std::string text(random() % (maxSize + 1), ' ');
        for (char& c : text) {
            c = alphabet[random() % alphabet.size()];
        }
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string text = randomText(100);
        const std::string pattern = randomText(5);
        const std::size_t from = random() % (text.size() + 2);
        ASSERT_EQ(FindIgnoringCase(text, pattern, from), plainFind(text, pattern, from))
            << '"' << text << "\" / \"" << pattern << "\" from " << from;
    }
}

TEST(Trim, RemovesCodesUpTo32OnBothEnds) {
    EXPECT_EQ(Trim(" \t\r\n\x01 valor \x1F "), "valor");
    EXPECT_EQ(Trim("\u00A0Situação\u00A0"_w1252), "\u00A0Situação\u00A0"_w1252);
    EXPECT_EQ(Trim(" \x7F "), "\x7F");
    EXPECT_EQ(Trim("   "), "");
}

}  // namespace
}  // namespace text
