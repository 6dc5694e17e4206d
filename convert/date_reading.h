#pragma once

#include <string_view>

#include "nfe/date_time.h"

namespace convert {

// Dates and times as the portal writes them: day/month/year ("02/03/2015", year with four
// digits) and hours:minutes:seconds ("14:22:31"), whatever the machine's locale.

// Skips the characters in front of the first digit and reads a date, then a time at the next
// digit when one follows ("02/03/2015 às 14:22:31-03:00"); anything after the time is
// ignored, and a date alone stands for midnight. A text with a time but no date
// ("14:22:31") gives that time on day 0. Unreadable texts give defaultValue.
nfe::TDateTime DateTimeOrDefault(std::string_view text, nfe::TDateTime defaultValue = 0);

// The same reading; an unreadable text throws nfe::ConversionError.
nfe::TDateTime DateTimeOrFail(std::string_view text);

// True when text, apart from surrounding blanks, is one date and nothing else.
bool IsPageDate(std::string_view text);

// That date, or defaultValue when IsPageDate is false.
nfe::TDateTime DateOrDefault(std::string_view text, nfe::TDateTime defaultValue = 0);

}  // namespace convert
