#include <gtest/gtest.h>

#include <optional>

#include "convert/date_reading.h"
#include "convert/integer_reading.h"
#include "convert/w1252_literal.h"
#include "nfe/conversion_error.h"

namespace convert {
namespace {

TEST(IntegerReading, ReadsSignedDecimalIntegers) {
    struct Case {
        std::string_view text;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"42", 42},
        {" -7 ", -7},
        {"+5", 5},
        {"007", 7},
        {"-2147483648", -2147483648},
        {"2147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"+-5", std::nullopt},
        {"12a", std::nullopt},
        {"1.000", std::nullopt},
        {"0x10", std::nullopt},
        {"1 2", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntegerOrDefault(c.text, -99), c.value.value_or(-99)) << c.text;
        if (c.value) {
            EXPECT_EQ(IntegerOrFail(c.text), *c.value) << c.text;
        } else {
            EXPECT_THROW(IntegerOrFail(c.text), nfe::ConversionError) << c.text;
        }
    }
}

TEST(IntegerReading, FailureNamesTheTextInUtf8) {
    try {
        IntegerOrFail("Inscrição"_w1252);
        FAIL() << "no exception";
    } catch (const nfe::ConversionError& error) {
        EXPECT_STREQ(error.what(), "Número inteiro inválido: \"Inscrição\"");
    }
}

nfe::TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return nfe::EncodeDateTime({year, month, day, hour, minute, second, 0});
}

TEST(DateTimeReading, ReadsDateThenOptionalTime) {
    struct Case {
        std::string_view text;
        std::optional<nfe::TDateTime> value;
    };
    const Case cases[] = {
        {"02/03/2015 14:22:31-03:00", At(2015, 3, 2, 14, 22, 31)},
        {"02/03/2015 às 14:22:31"_w1252, At(2015, 3, 2, 14, 22, 31)},
        {"02/03/2015", At(2015, 3, 2)},
        {"02/03/2015 ", At(2015, 3, 2)},
        {"Emitida em 2/3/2015 8:05"_w1252, At(2015, 3, 2, 8, 5)},
        {"02/03/2015 14", At(2015, 3, 2, 14)},
        {"02/03/2015 14:22:31.500", At(2015, 3, 2, 14, 22, 31)},
        {"29/02/2016 23:59:59", At(2016, 2, 29, 23, 59, 59)},
        {"14:22:31", nfe::EncodeTime(14, 22, 31)},
        {"29/02/2015", std::nullopt},
        {"02/03/15", std::nullopt},
        {"02/03/20150", std::nullopt},
        {"02-03-2015", std::nullopt},
        {"02/03/2015 24:00:00", std::nullopt},
        {"02/03/2015 14:60", std::nullopt},
        {"02/03/2015 14:22:311", std::nullopt},
        {"14", std::nullopt},
        {"sem data", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(DateTimeOrDefault(c.text), c.value.value_or(0)) << c.text;
        EXPECT_DOUBLE_EQ(DateTimeOrDefault(c.text, -1), c.value.value_or(-1)) << c.text;
        if (c.value) {
            EXPECT_DOUBLE_EQ(DateTimeOrFail(c.text), *c.value) << c.text;
        } else {
            EXPECT_THROW(DateTimeOrFail(c.text), nfe::ConversionError) << c.text;
        }
    }
}

TEST(DateReading, TakesOneDateAndNothingElse) {
    struct Case {
        std::string_view text;
        std::optional<nfe::TDateTime> value;
    };
    const Case cases[] = {
        {"05/03/2015", At(2015, 3, 5)},
        {" 5/3/2015\t", At(2015, 3, 5)},
        {"05/03/2015 10:00", std::nullopt},
        {"Venc. 05/03/2015", std::nullopt},
        {"31/04/2015", std::nullopt},
        {"05/03", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPageDate(c.text), c.value.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(DateOrDefault(c.text), c.value.value_or(0)) << c.text;
        EXPECT_DOUBLE_EQ(DateOrDefault(c.text, -1), c.value.value_or(-1)) << c.text;
    }
}

}  // namespace
}  // namespace convert
