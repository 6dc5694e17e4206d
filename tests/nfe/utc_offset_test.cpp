#include "nfe/utc_offset.h"

#include <gtest/gtest.h>

#include <string>

#include "nfe/states.h"

namespace nfe {
namespace {

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
             int millisecond = 0) {
    return EncodeDateTime({year, month, day, hour, minute, second, millisecond});
}

TEST(UtcOffset, DateTimeTextDropsMillisecondsAndPadsEveryPart) {
    EXPECT_EQ(DateTimeText(At(2015, 8, 4, 7, 5, 3, 999)), "2015-08-04T07:05:03");
    EXPECT_EQ(DateTimeText(At(987, 1, 2, 23, 59, 59)), "0987-01-02T23:59:59");
    EXPECT_EQ(DateTimeText(0), "1899-12-30T00:00:00");
    EXPECT_EQ(DateTimeText(1e9), "1899-12-30T00:00:00");
}

TEST(UtcOffset, EasterSunday) {
    EXPECT_EQ(EasterSunday(2015), At(2015, 4, 5));
    EXPECT_EQ(EasterSunday(2016), At(2016, 3, 27));
    EXPECT_EQ(EasterSunday(2019), At(2019, 4, 21));
    EXPECT_EQ(EasterSunday(2000), At(2000, 4, 23));
}

TEST(UtcOffset, SeasonEndsOnTheThirdSundayOfFebruaryUnlessItIsCarnival) {
    // 2015-02-15 was the Sunday of Carnival, so the season ran a week longer.
    EXPECT_EQ(SummerTimeSeasonFrom(2014).start, At(2014, 10, 19));
    EXPECT_EQ(SummerTimeSeasonFrom(2014).end, At(2015, 2, 22));
    EXPECT_EQ(SummerTimeSeasonFrom(2015).start, At(2015, 10, 18));
    EXPECT_EQ(SummerTimeSeasonFrom(2015).end, At(2016, 2, 21));
    // Carnival 2012 fell on 2012-02-19, the third Sunday.
    EXPECT_EQ(SummerTimeSeasonFrom(2011).end, At(2012, 2, 26));
}

TEST(UtcOffset, OffsetByStateAndSeason) {
    struct Case {
        TDateTime moment;
        int cUF;
        std::string expected;
    };
    const Case cases[] = {
        {At(2015, 1, 10, 10), 35, "2015-01-10T10:00:00-02:00"},  // SP, summer
        {At(2015, 8, 24, 10, 30), 35, "2015-08-24T10:30:00-03:00"},
        {At(2015, 1, 10), 13, "2015-01-10T00:00:00-04:00"},  // AM keeps no summer time
        {At(2015, 8, 24), 13, "2015-08-24T00:00:00-04:00"},
        {At(2015, 1, 10), 12, "2015-01-10T00:00:00-05:00"},  // AC
        {At(2015, 8, 24), 12, "2015-08-24T00:00:00-05:00"},
        {At(2015, 1, 10), 51, "2015-01-10T00:00:00-03:00"},  // MT, summer
        {At(2015, 8, 24), 51, "2015-08-24T00:00:00-04:00"},
        {At(2015, 1, 10), 29, "2015-01-10T00:00:00-03:00"},  // BA keeps no summer time
        {At(2015, 1, 10), 91, "2015-01-10T00:00:00-02:00"},  // national body: DF
        {At(2015, 1, 10), 0, "2015-01-10T00:00:00-02:00"},   // unknown code: DF
        // Both ends of the season 2014/2015 belong to it.
        {At(2014, 10, 18, 23, 59, 59), 35, "2014-10-18T23:59:59-03:00"},
        {At(2014, 10, 19), 35, "2014-10-19T00:00:00-02:00"},
        {At(2015, 2, 15, 12), 35, "2015-02-15T12:00:00-02:00"},
        {At(2015, 2, 22), 35, "2015-02-22T00:00:00-02:00"},
        {At(2015, 2, 22, 0, 0, 1), 35, "2015-02-22T00:00:01-03:00"},
        {At(2016, 2, 21), 35, "2016-02-21T00:00:00-02:00"},
        {At(2016, 2, 21, 0, 0, 1), 35, "2016-02-21T00:00:01-03:00"},
        {At(2015, 12, 31, 23, 59, 59), 43, "2015-12-31T23:59:59-02:00"},
        // The last season began on the first Sunday of November 2018 and ended in February
        // 2019; there has been no summer time since.
        {At(2018, 10, 21, 12), 35, "2018-10-21T12:00:00-03:00"},
        {At(2018, 11, 3, 23, 59, 59), 35, "2018-11-03T23:59:59-03:00"},
        {At(2018, 11, 4), 35, "2018-11-04T00:00:00-02:00"},
        {At(2019, 2, 17), 35, "2019-02-17T00:00:00-02:00"},
        {At(2019, 2, 17, 0, 0, 1), 35, "2019-02-17T00:00:01-03:00"},
        {At(2019, 12, 10, 10), 35, "2019-12-10T10:00:00-03:00"},
        {At(2026, 12, 10, 10), 53, "2026-12-10T10:00:00-03:00"},
        {At(2027, 1, 15, 10), 51, "2027-01-15T10:00:00-04:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateTimeWithUtcOffset(c.moment, c.cUF), c.expected) << c.cUF;
    }
}

TEST(UtcOffset, MomentsThatAreNoDatesKeepNoSummerTime) {
    EXPECT_FALSE(IsSummerTime(-1e9, "SP"));
    EXPECT_FALSE(IsSummerTime(At(1, 1, 5), "SP"));
    EXPECT_EQ(UtcOffset(At(9999, 12, 31), "SP"), "-03:00");
}

TEST(States, AbbreviationsAndTheirValidity) {
    EXPECT_EQ(StateAbbreviation(35), "SP");
    EXPECT_EQ(StateAbbreviation(90), "DF");
    EXPECT_EQ(StateAbbreviation(99), "");
    EXPECT_TRUE(IsValidStateAbbreviation("TO"));
    EXPECT_TRUE(IsValidStateAbbreviation("EX"));
    EXPECT_FALSE(IsValidStateAbbreviation("sp"));
    EXPECT_FALSE(IsValidStateAbbreviation(""));
    EXPECT_FALSE(IsValidStateAbbreviation("XX"));
}

}  // namespace
}  // namespace nfe
