#include "nfe/date_time.h"

#include <chrono>
#include <cmath>
#include <stdexcept>

namespace nfe {
namespace {

constexpr long long kMillisecondsPerDay = 86'400'000;
// 1899-12-30, day 0 of the document's dates, counted from 1970-01-01.
constexpr long long kEpochOffset = -25569;

long long DaysSinceUnixEpoch(int year, int month, int day) {
    using namespace std::chrono;
    return sys_days(std::chrono::year(year) / std::chrono::month(static_cast<unsigned>(month)) /
                    std::chrono::day(static_cast<unsigned>(day)))
        .time_since_epoch()
        .count();
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int millisecond) {
    return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
           millisecond >= 0 && millisecond < 1000;
}

TDateTime EncodeDate(int year, int month, int day) {
    if (!IsValidDate(year, month, day)) {
        throw std::invalid_argument("invalid date");
    }
    return static_cast<TDateTime>(DaysSinceUnixEpoch(year, month, day) - kEpochOffset);
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
    if (!IsValidTime(hour, minute, second, millisecond)) {
        throw std::invalid_argument("invalid time");
    }
    const long long ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
    return static_cast<TDateTime>(ms) / kMillisecondsPerDay;
}

TDateTime EncodeDateTime(const CivilDateTime& value) {
    const TDateTime date = EncodeDate(value.year, value.month, value.day);
    const TDateTime time = EncodeTime(value.hour, value.minute, value.second, value.millisecond);
    // Before the epoch the fraction counts away from zero, as in the document's convention.
    return date < 0 ? date - time : date + time;
}

CivilDateTime DecodeDateTime(TDateTime value) {
    long long days = static_cast<long long>(std::trunc(value));
    long long ms = std::llround(std::fabs(value - std::trunc(value)) * kMillisecondsPerDay);
    if (ms >= kMillisecondsPerDay) {
        ms -= kMillisecondsPerDay;
        days += value < 0 ? -1 : 1;
    }
    const std::chrono::year_month_day date{
        std::chrono::sys_days(std::chrono::days(days + kEpochOffset))};
    CivilDateTime result;
    result.year = static_cast<int>(date.year());
    result.month = static_cast<int>(static_cast<unsigned>(date.month()));
    result.day = static_cast<int>(static_cast<unsigned>(date.day()));
    result.hour = static_cast<int>(ms / 3'600'000);
    result.minute = static_cast<int>(ms / 60'000 % 60);
    result.second = static_cast<int>(ms / 1000 % 60);
    result.millisecond = static_cast<int>(ms % 1000);
    return result;
}

int DayOfWeek(TDateTime value) {
    // 1899-12-30 was a Saturday.
    const long long days = static_cast<long long>(std::floor(value));
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

}  // namespace nfe
