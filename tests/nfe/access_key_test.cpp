#include "nfe/access_key.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

#include "nfe/conversion_error.h"

namespace nfe {
namespace {

// State 35, March 2015, CNPJ 00000000000000, model 55, series 1, number 123, type 1, code 1.
constexpr std::string_view kValidKey = "35150400000000000000550010000012341000000016";

TEST(KeyCheckDigit, WeightsFromTheRightAndRemainderRule) {
    struct Case {
        std::string_view text;
        int digit;  // -1 where a short text gives no meaningful digit
        bool complete;
    };
    const Case cases[] = {
        // Weighted sum 225, remainder 5.
        {"3515 0400 0000 0000 0000 5500 1000 0012 3410 0000 001", 6, true},
        {"NFe3515040000000000000055001000001234100000001", 6, true},
        {"3515040000000000000055001000001234100000004", 0, true},   // remainder 0
        {"3515040000000000000055001000001234100000013", 0, true},   // remainder 1
        {"351504000000000000005500100000123410000000", -1, false},  // 42 digits
        // 44 digits: computed from the first 43, flagged incomplete.
        {"35150400000000000000550010000012341000000019", 6, false},
        {"", -1, false},
    };
    for (const auto& c : cases) {
        const KeyCheckDigitResult result = KeyCheckDigit(c.text);
        EXPECT_EQ(result.complete, c.complete) << c.text;
        if (c.digit >= 0) {
            EXPECT_EQ(result.digit, c.digit) << c.text;
        }
    }
}

TEST(IsValidAccessKey, AcceptsOnlyCompleteConsistentKeys) {
    struct Case {
        std::string_view text;
        bool valid;
    };
    const Case cases[] = {
        {kValidKey, true},
        {"3515 0400 0000 0000 0000 5500 1000 0012 3410 0000 0016", true},
        {"NFe35150400000000000000550010000012341000000016", true},
        {"35150311222333000181550010000001231123456781", true},
        {"3515040000000000000055001000001234100000001", false},    // 43 digits
        {"351504000000000000005500100000123410000000160", false},  // 45 digits
        {"35150400000000000000550010000012341000000017", false},   // wrong check digit
        {"99150400000000000000550010000012341000000013", false},   // unknown state
        {"35151300000000000000550010000012341000000015", false},   // month 13
        {"35150311222333000182550010000001231123456783", false},   // wrong CNPJ digits
        {"", false},
        // Issued by the company with the CNPJ 12.ABC.345/01DE-35.
        {"35260912ABC34501DE35550010000012341123456788", true},
        {"3526 0912AB C345 01DE 3555 0010 0000 1234 1123 4567 88", true},
        {"35260912abc34501de35550010000012341123456788", true},
        {"NFe35260912ABC34501DE35550010000012341123456788", true},
        {"35260912ABC34501DE35550010000012341123456787", false},  // wrong check digit
        // Letters outside the issuer's CNPJ, or among its check digits.
        {"3A260912ABC34501DE35550010000012341123456788", false},
        {"35260912ABC34501DE35550010000012341123456A88", false},
        {"35260912ABC34501DEA5550010000012341123456788", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidAccessKey(c.text), c.valid) << c.text;
    }
}

TEST(KeyFieldTests, StateYearMonthAndCnpj) {
    EXPECT_TRUE(IsKnownUFCode(35));
    EXPECT_TRUE(IsKnownUFCode(91));
    EXPECT_FALSE(IsKnownUFCode(99));
    EXPECT_FALSE(IsKnownUFCode(0));

    EXPECT_TRUE(IsValidYearMonth("1512"));
    EXPECT_TRUE(IsValidYearMonth("0001"));
    EXPECT_FALSE(IsValidYearMonth("1513"));
    EXPECT_FALSE(IsValidYearMonth("1500"));
    EXPECT_FALSE(IsValidYearMonth("151"));
    EXPECT_FALSE(IsValidYearMonth("15 1"));
}

TEST(IsValidCNPJ, DigitsAndLettersBeforeTwoCheckDigits) {
    struct Case {
        std::string_view text;
        bool valid;
    };
    const Case cases[] = {
        {"00000000000000", true},      {"11222333000181", true},
        {"11222333000182", false},     {"1122233300018", false},
        {"12ABC34501DE35", true},      {"12abc34501de35", true},  // read in upper case
        {"12ABC34501DE36", false},                                // wrong second check digit
        {"12ABC34501DE45", false},                                // wrong first check digit
        {"1122233300018X", false},                                // a letter among the check digits
        {"12ABC34501D-35", false},  // a mark that is neither digit nor letter
        {"12.ABC.345/01DE-35", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidCNPJ(c.text), c.valid) << c.text;
    }
}

// Keys and CNPJs that hold no letter keep the check digits of the digits-only rule: a plain
// modulus 11 over the digits, computed here apart from the code under test.
TEST(CheckDigits, UnchangedForAllDigitKeys) {
    const auto digitsOnlyKeyDigit = [](std::string_view digits) {
        constexpr std::string_view weights = "4329876543298765432987654329876543298765432";
        int sum = 0;
        for (std::size_t i = 0; i < 43; ++i) {
            sum += (digits[i] - '0') * (weights[i] - '0');
        }
        return sum % 11 <= 1 ? 0 : 11 - sum % 11;
    };
    std::mt19937 generator(20260701);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int round = 0; round < 2000; ++round) {
        std::string digits;
        for (int i = 0; i < 43; ++i) {
            digits += static_cast<char>('0' + digit(generator));
        }
        ASSERT_EQ(KeyCheckDigit(digits).digit, digitsOnlyKeyDigit(digits)) << digits;
    }
}

TEST(IdentifierCharacters, KeepsDigitsAndLettersInCapitals) {
    EXPECT_EQ(IdentifierCharacters("12.abc.345/01de-35"), "12ABC34501DE35");
    EXPECT_EQ(IdentifierCharacters(" 123.456.789-09 "), "12345678909");
    EXPECT_EQ(KeyCharacters(" nfe3526 0912ab"), "35260912AB");
}

TEST(TypedAccessKey, TakesDigitsLettersAndGroupingBlanksOnly) {
    constexpr std::string_view kKey = "35260912ABC34501DE35550010000012341123456788";
    EXPECT_EQ(TypedAccessKey("3526 0912ab c345 01de 3555 0010 0000 1234 1123 4567 88"), kKey);
    EXPECT_EQ(TypedAccessKey(kValidKey), kValidKey);
    EXPECT_FALSE(TypedAccessKey("../35260912ABC34501DE35550010000012341123456788"));
    EXPECT_FALSE(TypedAccessKey("NFe35260912ABC34501DE35550010000012341123456788"));
    EXPECT_FALSE(TypedAccessKey("3A260912ABC34501DE35550010000012341123456788"));

    EXPECT_TRUE(IsWrittenAccessKey(kKey));
    EXPECT_FALSE(IsWrittenAccessKey("35260912abc34501de35550010000012341123456788"));
    EXPECT_FALSE(IsWrittenAccessKey(" 35260912ABC34501DE35550010000012341123456788"));
}

TEST(KeyNumericCode, ReadsTheCodeOfTheLayout) {
    EXPECT_EQ(KeyNumericCode(kValidKey, 3.10), 1);
    EXPECT_EQ(KeyNumericCode(kValidKey, 2.00), 1);
    EXPECT_EQ(KeyNumericCode(kValidKey, 1.10), 100000001);
    EXPECT_EQ(KeyNumericCode("NFe35150311222333000181550010000001231123456781", 3.10), 12345678);
    EXPECT_THROW(KeyNumericCode("351504000000000000005500100000", 3.10), ConversionError);
}

TEST(IdentifierCheckDigit, IsTheLastCharacter) {
    EXPECT_EQ(IdentifierCheckDigit("NFe35150400000000000000550010000012341000000016"), 6);
    EXPECT_THROW(IdentifierCheckDigit("NFe"), ConversionError);
    EXPECT_THROW(IdentifierCheckDigit(""), ConversionError);
}

TEST(PadZeros, PadsAndKeepsTheLastDigits) {
    EXPECT_EQ(PadZeros(7, 3), "007");
    EXPECT_EQ(PadZeros(1234, 3), "234");
    EXPECT_EQ(PadZeros(0, 2), "00");
    EXPECT_EQ(PadZeros(5, 0), "");
}

class ComposeAccessKeyTest : public ::testing::Test {
protected:
    // Returns the queued draws in turn and records the bounds it was asked for.
    NumericCodeDraw Draws(std::vector<int> values) {
        return [this, values, next = std::size_t{0}](int bound) mutable {
            bounds.push_back(bound);
            return values.at(next++);
        };
    }

    const TDateTime emission = EncodeDate(2015, 3, 2) + EncodeTime(14, 22, 31);
    std::vector<int> bounds;
};

TEST_F(ComposeAccessKeyTest, BuildsBothLayouts) {
    struct Case {
        int cNF;
        std::string_view cnpjCpf;
        double version;
        std::string_view identifier;
    };
    const Case cases[] = {
        {12345678, "11.222.333/0001-81", 3.10, "NFe35150311222333000181550010000001231123456781"},
        {123456789, "11222333000181", 1.10, "NFe35150311222333000181550010000001231234567891"},
        {-2, "11222333000181", 2.00, "NFe35150311222333000181550010000001231000000003"},
        // A CPF is followed by three zeros; the code comes from the number 123.
        {-1, "123.456.789-01", 3.10, "NFe35150312345678901000550010000001231818376105"},
        {12345678, "12.ABC.345/01DE-35", 3.10, "NFe35150312ABC34501DE35550010000001231123456782"},
    };
    for (const auto& c : cases) {
        const auto identifier =
            ComposeAccessKey(35, c.cNF, c.cnpjCpf, emission, 1, 123, 1, 55, c.version, Draws({}));
        ASSERT_TRUE(identifier.has_value()) << c.identifier;
        EXPECT_EQ(*identifier, c.identifier);
    }
    EXPECT_TRUE(bounds.empty());
}

TEST_F(ComposeAccessKeyTest, ComposedKeyWithValidCnpjValidates) {
    const auto identifier =
        ComposeAccessKey(35, 0, "11222333000181", emission, 1, 4567, 2, 55, 3.10);
    ASSERT_TRUE(identifier.has_value());
    EXPECT_EQ(identifier->substr(0, 3), "NFe");
    EXPECT_EQ(identifier->size(), 47u);
    EXPECT_TRUE(IsValidAccessKey(*identifier));
    EXPECT_NE(KeyNumericCode(*identifier, 3.10), 0);
}

TEST_F(ComposeAccessKeyTest, DrawsAgainUntilTheCodeIsNotZero) {
    const auto identifier = ComposeAccessKey(35, 0, "11222333000181", emission, 1, 123, 1, 55, 3.10,
                                             Draws({0, 0, 12345678}));
    ASSERT_TRUE(identifier.has_value());
    EXPECT_EQ(*identifier, "NFe35150311222333000181550010000001231123456781");
    EXPECT_EQ(bounds, (std::vector<int>{99999999, 99999999, 99999999}));

    bounds.clear();
    ComposeAccessKey(35, 0, "11222333000181", emission, 1, 123, 1, 55, 1.10, Draws({7}));
    EXPECT_EQ(bounds, (std::vector<int>{999999999}));
}

TEST_F(ComposeAccessKeyTest, NumericCodeFromTheNumberIsStable) {
    struct Case {
        int nNF;
        int cNF;
    };
    const Case cases[] = {{123, 81837610}, {1, 17204277}, {0, 0}, {987654321, 22567924}};
    for (const auto& c : cases) {
        const auto identifier =
            ComposeAccessKey(35, -1, "11222333000181", emission, 1, c.nNF, 1, 55, 3.10);
        ASSERT_TRUE(identifier.has_value());
        EXPECT_EQ(KeyNumericCode(*identifier, 3.10), c.cNF) << c.nNF;
    }
}

TEST_F(ComposeAccessKeyTest, FailsForFieldsThatCannotBePlaced) {
    const auto compose = [&](int cUF, int cNF, TDateTime date, int nNF, double version) {
        return ComposeAccessKey(cUF, cNF, "11222333000181", date, 1, nNF, 1, 55, version);
    };
    EXPECT_FALSE(compose(35, 1, EncodeDate(9999, 12, 31) + 2, 123, 3.10));
    EXPECT_FALSE(compose(35, 1, std::numeric_limits<double>::quiet_NaN(), 123, 3.10));
    EXPECT_FALSE(compose(-35, 1, emission, 123, 3.10));
    EXPECT_FALSE(compose(35, 1, emission, -123, 3.10));
    EXPECT_FALSE(compose(35, -3, emission, 123, 3.10));
    // Layouts before 2.00 know no -2 code.
    EXPECT_FALSE(compose(35, -2, emission, 123, 1.10));
}

}  // namespace
}  // namespace nfe
