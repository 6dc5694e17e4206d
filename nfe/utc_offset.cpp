#include "nfe/utc_offset.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>

#include "nfe/access_key.h"
#include "nfe/states.h"

namespace nfe {
namespace {

constexpr std::string_view kSummerTimeStates[] = {"MT", "MS", "GO", "MG", "ES", "RJ",
                                                  "SP", "PR", "SC", "RS", "DF"};
constexpr std::string_view kFourHoursBehind[] = {"AM", "RR", "RO", "MT", "MS"};

bool Contains(std::span<const std::string_view> list, std::string_view uf) {
    return std::find(list.begin(), list.end(), uf) != list.end();
}

bool IsPlaceableDate(TDateTime value) {
    return std::isfinite(value) && value > EncodeDate(1, 1, 1) - 1 &&
           value < EncodeDate(9999, 12, 31) + 1;
}

// Brazil kept summer time until February 2019; a decree of April 2019 ended it, so the
// season that began in 2018 was the last one. Invoices of later years (the print pages of
// layout 4.00 are written in 3.10) must not gain an hour in the summer months.
constexpr int kLastSeason = 2018;

TDateTime FirstSunday(int year, int month) {
    const TDateTime first = EncodeDate(year, month, 1);
    return first + (8 - DayOfWeek(first)) % 7;
}

TDateTime ThirdSunday(int year, int month) {
    return FirstSunday(year, month) + 14;
}

}  // namespace

std::string DateTimeText(TDateTime moment) {
    const CivilDateTime p = DecodeDateTime(IsPlaceableDate(moment) ? moment : 0);
    return PadZeros(p.year, 4) + "-" + PadZeros(p.month, 2) + "-" + PadZeros(p.day, 2) + "T" +
           PadZeros(p.hour, 2) + ":" + PadZeros(p.minute, 2) + ":" + PadZeros(p.second, 2);
}

TDateTime EasterSunday(int year) {
    const int a = (19 * (year % 19) + 24) % 30;
    const int b = (2 * (year % 4) + 4 * (year % 7) + 6 * a + 5) % 7;
    return a + b < 10 ? EncodeDate(year, 3, a + b + 22) : EncodeDate(year, 4, a + b - 9);
}

SummerTimeSeason SummerTimeSeasonFrom(int startYear) {
    // A decree of 2017 moved the start of the last season to the first Sunday of November.
    const TDateTime start =
        startYear == kLastSeason ? FirstSunday(startYear, 11) : ThirdSunday(startYear, 10);
    TDateTime end = ThirdSunday(startYear + 1, 2);
    const TDateTime carnivalSunday = EasterSunday(startYear + 1) - 49;
    if (end == carnivalSunday) {
        end += 7;
    }
    return {start, end};
}

bool IsSummerTime(TDateTime moment, std::string_view uf) {
    if (uf.empty()) {
        uf = "DF";
    }
    if (!Contains(kSummerTimeStates, uf) || !IsPlaceableDate(moment)) {
        return false;
    }
    const CivilDateTime date = DecodeDateTime(moment);
    const int startYear = date.month < 10 ? date.year - 1 : date.year;
    if (startYear < 1 || startYear > kLastSeason) {
        return false;
    }
    const SummerTimeSeason season = SummerTimeSeasonFrom(startYear);
    return moment >= season.start && moment <= season.end;
}

std::string UtcOffset(TDateTime moment, std::string_view uf) {
    if (uf.empty()) {
        uf = "DF";
    }
    if (uf == "AC") {
        return "-05:00";
    }
    const bool summer = IsSummerTime(moment, uf);
    if (Contains(kFourHoursBehind, uf)) {
        return summer ? "-03:00" : "-04:00";
    }
    return summer ? "-02:00" : "-03:00";
}

std::string DateTimeWithUtcOffset(TDateTime moment, int cUF) {
    return DateTimeText(moment) + UtcOffset(moment, StateAbbreviation(cUF));
}

}  // namespace nfe
