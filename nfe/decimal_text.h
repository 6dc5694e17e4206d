#pragma once

#include <string>
#include <string_view>

namespace nfe {

// Decimal texts are plain: an optional "-", digits, and optionally "." and more digits.

// Rounds half away from zero to `places` decimals, exactly, on the digits themselves:
// ("0.00005", 4) gives "0.0001", ("-2.5", 0) gives "-3", ("7", 2) gives "7.00". The result has
// at least one integer digit, no leading zeros and no sign when it is zero.
std::string RoundDecimalText(std::string_view decimal, int places);

bool IsZeroDecimalText(std::string_view decimal);

// True when a digit after the point is not zero.
bool HasFractionDigits(std::string_view decimal);

}  // namespace nfe
