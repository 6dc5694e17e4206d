#include <gtest/gtest.h>

#include "text/character_count.h"
#include "text/character_filters.h"
#include "text/integer.h"
#include "text/replace_all.h"

namespace text {
namespace {

TEST(CharacterFilters, KeepOnlyAsciiDigitsOrAlsoAsciiLetters) {
    EXPECT_EQ(DigitsOnly("(11) 3456-7890 ramal ²3"), "11345678903");
    EXPECT_EQ(LettersAndDigitsOnly("ABC-1234 / São x9"), "ABC1234Sox9");
    EXPECT_EQ(DigitsOnly(""), "");
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutOverlaps) {
    struct Case {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", "\r\n", "|&|", "a|&|b|&|"},
        {"aaaa", "aa", "a", "aa"},
        {"%TAG%%TAG%", "%TAG%", "%TAG%x", "%TAG%x%TAG%x"},
        {"nada", "", "x", "nada"},
        {"", "a", "b", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.expected) << c.text << " / " << c.from;
    }
}

TEST(ParseInteger, TakesTheWholeTextOrNothing) {
    EXPECT_EQ(ParseInteger<int>("042"), 42);
    EXPECT_EQ(ParseInteger<int>("-7"), -7);
    EXPECT_EQ(ParseInteger<std::uint64_t>("999999999999999"), 999999999999999u);
    for (const char* refused : {"", " 1", "1 ", "+1", "1a", "0x10", "2147483648"}) {
        EXPECT_FALSE(ParseInteger<int>(refused)) << refused;
    }
    EXPECT_FALSE(ParseInteger<unsigned>("-1"));
}

TEST(Utf8CharacterCount, CountsCharactersNotBytes) {
    EXPECT_EQ(Utf8CharacterCount("ação"), 4u);
    EXPECT_EQ(Utf8CharacterCount(""), 0u);
}

}  // namespace
}  // namespace text
