#pragma once

#include <string_view>

#include "nfe/currency.h"

namespace convert {

// Reads a number written the Brazilian way: "." groups thousands and "," is the decimal
// separator, as in "1.234,56". An optional sign, one decimal separator and an exponent
// ("1,5E3") are accepted, surrounding blanks are ignored. In comma mode each "." is read as the
// decimal separator instead, for the one field the portal writes as "12.5". Any other text,
// the empty text included, gives 0; the machine's locale plays no part.
double ParsePageNumber(std::string_view text, bool commaMode = false);

// A page number as money, quantity or rate: value × 10000, formed in extended precision and
// rounded to the nearest integer, ties to even. Throws nfe::ConversionError for a value
// beyond the range of nfe::Currency.
nfe::Currency CurrencyFromPageNumber(double value);

// CurrencyFromPageNumber(ParsePageNumber(text, commaMode)).
nfe::Currency PageCurrency(std::string_view text, bool commaMode = false);

}  // namespace convert
