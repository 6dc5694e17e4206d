#include "sample/print_page/page_format.h"
#include "nfe/access_key.h"
#include "nfe/cnpj.h"

#include <gtest/gtest.h>

namespace sample::page {
namespace {

using nfe::Currency;

TEST(PageNumber, WritesBrazilianNumbersWithoutLosingDigits) {
    const struct {
        std::int64_t raw;
        int minDecimals;
        const char* text;
    } kCases[] = {
        {12345600, 2, "1.234,56"},      {0, 2, "0,00"},
        {20000, 4, "2,0000"},           {1234567891234, 2, "123.456.789,1234"},
        {-15000, 2, "-1,50"},           {1234500, 2, "123,45"},
        {100000000, 0, "10.000"},       {5, 2, "0,0005"},
        {9990000000, 3, "999.000,000"},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(PageNumber(Currency::FromRaw(c.raw), c.minDecimals), c.text) << c.raw;
    }
}

TEST(PageNumber, OtherNumberStyles) {
    EXPECT_EQ(PageDecimal(1234.5, 4, 10), "1.234,5000");
    EXPECT_EQ(PageDecimal(0.1234567891, 4, 10), "0,1234567891");
    EXPECT_EQ(PageDecimal(2.85, 2, 10), "2,85");
    EXPECT_EQ(PointNumber(Currency::FromRaw(12345600)), "1234.56");
    EXPECT_EQ(PointNumber(Currency::FromRaw(-5000)), "-0.50");
}

TEST(PageDateTime, WritesDayMonthYearAndTheTimeWithItsOffset) {
    const nfe::TDateTime moment = nfe::EncodeDateTime({2015, 3, 2, 14, 22, 31});
    EXPECT_EQ(PageDate(moment), "02/03/2015");
    EXPECT_EQ(PageDateTime(moment, "-03:00"), "02/03/2015 14:22:31-03:00");
    EXPECT_EQ(PageDateTime(moment, "", " às "), "02/03/2015 às 14:22:31");
}

TEST(PageIdentifiers, GroupsAndPunctuatesAsThePortal) {
    EXPECT_EQ(nfe::GroupedKey("35150311222333000181550010000010011201510019"),
              "3515 0311 2223 3300 0181 5500 1000 0010 0112 0151 0019");
    EXPECT_EQ(nfe::FormattedCnpjCpf("11222333000181"), "11.222.333/0001-81");
    EXPECT_EQ(nfe::FormattedCnpjCpf("12ABC34501DE35"), "12.ABC.345/01DE-35");
    EXPECT_EQ(nfe::FormattedCnpjCpf("12345678909"), "123.456.789-09");
    EXPECT_EQ(nfe::FormattedCnpjCpf(""), "");
    EXPECT_EQ(FormattedCep(1310100), "01310-100");
    EXPECT_EQ(FormattedPhone("1133334444"), "(11) 3333-4444");
    EXPECT_EQ(FormattedPhone("11933334444"), "(11) 93333-4444");
    EXPECT_EQ(FormattedPhone("0800"), "0800");
}

}  // namespace
}  // namespace sample::page
