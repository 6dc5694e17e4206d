#pragma once

#include <string>

namespace app {

struct CalendarDate {
    int year = 2000;
    int month = 1;
    int day = 1;
};

// The six-digit code that opens the settings dialog on a given day. Installers work it out on
// paper from the machine's date: write the date as the six-digit number DDMMYY, multiply it by
// 3, add 271828, keep the last six digits (leading zeros included).
std::string AccessCode(const CalendarDate& today);

}  // namespace app
