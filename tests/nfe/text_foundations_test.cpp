#include <gtest/gtest.h>

#include "nfe/collection.h"
#include "nfe/currency.h"
#include "nfe/date_time.h"

namespace nfe {
namespace {

TEST(DateTime, EncodesDaysSinceTheEpoch) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_EQ(EncodeDate(2015, 3, 2), 42065);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0), 0.5);
    EXPECT_THROW(EncodeDate(2015, 2, 29), std::invalid_argument);
    EXPECT_THROW(EncodeTime(24, 0, 0), std::invalid_argument);
}

TEST(DateTime, DecodesWithMillisecondRounding) {
    const TDateTime value = EncodeDateTime({2015, 3, 2, 14, 22, 31});
    const CivilDateTime decoded = DecodeDateTime(value);
    EXPECT_EQ(decoded.year, 2015);
    EXPECT_EQ(decoded.month, 3);
    EXPECT_EQ(decoded.day, 2);
    EXPECT_EQ(decoded.hour, 14);
    EXPECT_EQ(decoded.minute, 22);
    EXPECT_EQ(decoded.second, 31);
    const CivilDateTime almost_midnight = DecodeDateTime(EncodeDate(2016, 2, 28) + 0.9999999999);
    EXPECT_EQ(almost_midnight.day, 29);
    EXPECT_EQ(almost_midnight.hour, 0);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 10)), 5);  // a Thursday
}

TEST(Currency, IsExactFixedPoint) {
    const Currency a = Currency::FromRaw(1);
    const Currency b = Currency::FromUnits(3);
    EXPECT_EQ((a + b).Raw(), 30001);
    EXPECT_EQ((-b).Raw(), -30000);
    EXPECT_LT(a, b);
}

TEST(Collection, AddKeepsEarlierItemsInPlaceAndCopiesDeeply) {
    TCollection<std::string> list;
    std::string& first = list.Add();
    first = "a";
    for (int i = 0; i < 1000; ++i) {
        list.Add();
    }
    EXPECT_EQ(&first, &list[0]);
    TCollection<std::string> copy = list;
    copy[0] = "b";
    EXPECT_EQ(list[0], "a");
    EXPECT_EQ(copy.Count(), 1001);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace nfe
