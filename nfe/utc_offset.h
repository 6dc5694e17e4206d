#pragma once

#include <string>
#include <string_view>

#include "nfe/date_time.h"

namespace nfe {

// Date-times with the offset from UTC of the issuer's state, as the invoice carries them
// from layout 3.00 on: "2015-08-24T10:30:00-03:00". The offsets follow the Brazilian
// summer-time rules of the years these invoices were issued in.

// "yyyy-mm-ddThh:nn:ss", milliseconds dropped. A value that is no date in the years 1 to
// 9999 is written as the zero date 1899-12-30T00:00:00.
std::string DateTimeText(TDateTime moment);

// Easter Sunday by the short rule that holds for the years 1900 to 2099.
TDateTime EasterSunday(int year);

// The summer-time season that begins in startYear: from 00:00 of the third Sunday of
// October (in 2018, of the first Sunday of November) to 00:00 of the third Sunday of February
// of the next year, or one week later when that Sunday is the Sunday of Carnival. Both ends
// belong to the season. The season of 2018 was the last: IsSummerTime knows none after it.
struct SummerTimeSeason {
    TDateTime start;
    TDateTime end;
};
SummerTimeSeason SummerTimeSeasonFrom(int startYear);

// Whether the state (two-letter abbreviation) keeps summer time at the moment; only the
// states of the South, the South-East and the Centre-West do. The empty text counts as DF.
bool IsSummerTime(TDateTime moment, std::string_view uf);

// "-05:00", "-04:00", "-03:00" or "-02:00" for the state at the moment.
std::string UtcOffset(TDateTime moment, std::string_view uf);

// DateTimeText followed by UtcOffset, for the IBGE state code cUF (an unknown code counts
// as DF).
std::string DateTimeWithUtcOffset(TDateTime moment, int cUF);

}  // namespace nfe
