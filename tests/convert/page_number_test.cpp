#include "convert/page_number.h"

#include <gtest/gtest.h>

#include "nfe/conversion_error.h"

namespace convert {
namespace {

TEST(ParsePageNumber, ReadsBrazilianNumbersAndGivesZeroOtherwise) {
    struct Case {
        std::string_view text;
        bool commaMode;
        double expected;
    };
    const Case cases[] = {
        {"1.234,56", false, 1234.56},
        {"1.234,5", false, 1234.5},
        {"1.234.567", false, 1234567},
        {"0,00", false, 0},
        {" -3,5\t", false, -3.5},
        {"+7", false, 7},
        {",5", false, 0.5},
        {"5,", false, 5},
        {"1,5E3", false, 1500},
        {"2,5e-1", false, 0.25},
        {"12.5", true, 12.5},
        {"12,5", true, 12.5},
        {"1.234,56", true, 0},  // two decimal separators
        {"R$ 10,00", false, 0},
        {"", false, 0},
        {",", false, 0},
        {"-", false, 0},
        {"1,2,3", false, 0},
        {"1e", false, 0},
        {"1 000", false, 0},
        {"inf", false, 0},
        {"nan", false, 0},
        {"0x10", false, 0},
        {"1e999", false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ParsePageNumber(c.text, c.commaMode), c.expected) << c.text;
    }
}

TEST(CurrencyFromPageNumber, ScalesInExtendedPrecisionAndRoundsHalfToEven) {
    struct Case {
        std::string_view text;
        std::int64_t raw;
    };
    const Case cases[] = {
        {"12,34", 123400},
        {"1.234,5678", 12345678},
        {"-0,0001", -1},
        // 1/32 and 3/32 are exact: true ties, going to the even neighbour.
        {"0,03125", 312},
        {"0,09375", 938},
        {"-0,03125", -312},
        // In double these products round to n.5 and then to the other neighbour; in extended
        // precision they stay just above or below the tie.
        {"0,00025", 3},
        {"0,00035", 3},
        {"900.000.000.000.000", 9'000'000'000'000'000'000},
        {"texto", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PageCurrency(c.text).Raw(), c.raw) << c.text;
    }
    EXPECT_EQ(PageCurrency("12.5", true).Raw(), 125000);
}

TEST(CurrencyFromPageNumber, RejectsValuesBeyondTheCurrencyRange) {
    EXPECT_THROW(CurrencyFromPageNumber(1e15), nfe::ConversionError);
    EXPECT_THROW(CurrencyFromPageNumber(-1e15), nfe::ConversionError);
}

}  // namespace
}  // namespace convert
