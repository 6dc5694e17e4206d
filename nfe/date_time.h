#pragma once

namespace nfe {

// Dates and times as the document holds them: days since 1899-12-30 00:00 in the integer
// part, the time of day as the fraction. 0 means "no date".
using TDateTime = double;

struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second, int millisecond = 0);
int DaysInMonth(int year, int month);
bool IsLeapYear(int year);

// Throw std::invalid_argument for a day or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond = 0);
TDateTime EncodeDateTime(const CivilDateTime& value);

// The time of day is rounded to the nearest millisecond, as the document's readers expect.
CivilDateTime DecodeDateTime(TDateTime value);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);

}  // namespace nfe
