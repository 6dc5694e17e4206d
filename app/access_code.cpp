#include "app/access_code.h"

#include <cstdio>

namespace app {

std::string AccessCode(const CalendarDate& today) {
    const long ddmmyy = today.day * 10000L + today.month * 100L + today.year % 100;
    char code[8];
    std::snprintf(code, sizeof code, "%06ld", (ddmmyy * 3 + 271828) % 1000000);
    return code;
}

}  // namespace app
