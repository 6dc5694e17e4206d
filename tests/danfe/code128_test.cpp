#include "danfe/code128.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "danfe/danfe_error.h"

namespace danfe {
namespace {

using ::testing::ElementsAreArray;

struct Case {
    const char* text;
    std::vector<int> symbols;  // start, data, check, stop
};

// Start A 103, start C 105, code A 101, code C 99, stop 106; the check is the start plus each
// symbol times its position, modulo 103.
const Case kCases[] = {
    {"1234", {105, 12, 34, 82, 106}},
    {"A", {103, 33, 33, 106}},
    // Letters after digits: set C for the pair, then set A.
    {"12A", {105, 12, 101, 33, 6, 106}},
    // An odd run after a letter gives its first digit to set A, the pairs to set C.
    {"A123", {103, 33, 17, 99, 23, 44, 106}},
    // An odd run before a letter keeps its pairs in set C and its last digit in set A.
    {"123A", {105, 12, 101, 19, 33, 96, 106}},
    // A lone digit between letters stays in set A.
    {"A1B", {103, 33, 17, 34, (103 + 33 + 2 * 17 + 3 * 34) % 103, 106}},
};

TEST(Code128, SymbolsSwitchBetweenSetsCAndAWithTheirCheckCharacter) {
    for (const Case& c : kCases) {
        EXPECT_THAT(Code128Symbols(c.text), ElementsAreArray(c.symbols)) << c.text;
    }
}

TEST(Code128, ANumericKeyIsTwentyTwoPairsOfSetC) {
    const std::vector<int> symbols = Code128Symbols("35150311222333000181550010000010091201510092");
    ASSERT_EQ(symbols.size(), 25u);
    EXPECT_EQ(symbols.front(), 105);
    EXPECT_EQ(symbols[1], 35);
    EXPECT_EQ(symbols[22], 92);
    EXPECT_EQ(symbols.back(), 106);
}

TEST(Code128, AnAlphanumericKeyUsesSetAOnlyForItsLetters) {
    // cUF and AAMM, then a CNPJ whose first twelve characters hold letters.
    const std::vector<int> symbols = Code128Symbols("3525031A2B3C4D000195550010000000011000000019");
    const std::vector<int> expectedStart = {105, 35, 25, 3, 101, 17, 33, 18, 34, 19, 35, 20, 36};
    EXPECT_THAT(std::vector<int>(symbols.begin(), symbols.begin() + 13),
                ElementsAreArray(expectedStart));
    EXPECT_EQ(symbols[13], 99);  // back to set C for the digits that follow
}

TEST(Code128, WidthsAreElevenModulesASymbolAndThirteenForTheStop) {
    const std::vector<int> symbols = Code128Symbols("1234");
    const std::string widths = Code128Widths(symbols);
    EXPECT_TRUE(widths.starts_with("211232"));  // start C
    EXPECT_TRUE(widths.ends_with("2331112"));   // stop
    const int modules = std::accumulate(widths.begin(), widths.end(), 0,
                                        [](int sum, char c) { return sum + (c - '0'); });
    EXPECT_EQ(modules, 11 * 4 + 13);
}

TEST(Code128, RefusesCharactersOutsideDigitsAndCapitals) {
    EXPECT_THROW(Code128Symbols("12a4"), Error);
    EXPECT_THROW(Code128Symbols("12 4"), Error);
}

}  // namespace
}  // namespace danfe
