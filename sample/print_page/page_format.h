#pragma once

#include <string>
#include <string_view>

#include "nfe/currency.h"
#include "nfe/date_time.h"

namespace sample::page {

// How the portal writes values on its print page: Brazilian numbers and dates, grouped keys
// and formatted registration numbers. All results are UTF-8 (plain ASCII in practice).

// "1.234,56": thousands grouped by ".", "," before the decimals; at least minDecimals (0 to
// 4) decimals, and as many more as the value needs, so no digit of the four is lost.
std::string PageNumber(nfe::Currency value, int minDecimals);

// A floating-point value such as a unit price, in the same style with minDecimals to
// maxDecimals decimals (rounded to maxDecimals, trailing zeros beyond minDecimals dropped).
std::string PageDecimal(double value, int minDecimals, int maxDecimals);

// "1234.56": the decimal point and no grouping, as the page writes the approximate tax total
// of an item.
std::string PointNumber(nfe::Currency value);

// "dd/mm/yyyy".
std::string PageDate(nfe::TDateTime value);

// "dd/mm/yyyy hh:nn:ss", then `between` in front of the time ("dd/mm/yyyy às hh:nn:ss" with
// " às "), then the UTC offset when one is given ("-03:00").
std::string PageDateTime(nfe::TDateTime value, std::string_view utcOffset = {},
                         std::string_view between = " ");

// "01310-100".
std::string FormattedCep(int cep);

// "(11) 3333-4444" for 10 digits, "(11) 93333-4444" for 11; anything else unchanged.
std::string FormattedPhone(std::string_view digits);

}  // namespace sample::page
