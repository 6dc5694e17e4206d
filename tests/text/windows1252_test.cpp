#include "text/windows1252.h"

#include <gtest/gtest.h>

#include <string>

namespace text {
namespace {

TEST(Windows1252, RoundTripsEveryDefinedByte) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    const std::string utf8 = Windows1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    EXPECT_EQ(Utf8ToWindows1252(utf8), all);
}

TEST(Windows1252, ConvertsBothWays) {
    struct Case {
        std::string windows1252;
        std::string utf8;
    };
    const Case cases[] = {
        {"Situa\xE7\xE3o", "Situação"},
        {"\x80 10,00", "€ 10,00"},
        {"\x93"
         "aspas"
         "\x94",
         "“aspas”"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Windows1252ToUtf8(c.windows1252), c.utf8);
        EXPECT_EQ(Utf8ToWindows1252(c.utf8), c.windows1252);
    }
}

TEST(Windows1252, UnmappableAndInvalidBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToWindows1252("a中b"), "a?b");
    EXPECT_EQ(Utf8ToWindows1252("a\xFF"
                                "b"),
              "a?b");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82"), "??");  // truncated sequence
    EXPECT_EQ(Utf8ToWindows1252("\xC0\xAF"), "??");  // overlong form
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));       // surrogate
}

}  // namespace
}  // namespace text
