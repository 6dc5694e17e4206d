#pragma once

#include <string>

#include "dfe/clock.h"

namespace dfe {

// Moments as messages show them, in the machine's time zone.
std::string LocalDateText(Time moment);      // "31/12/2025"
std::string LocalDateTimeText(Time moment);  // "31/12/2025 23:59"

}  // namespace dfe
