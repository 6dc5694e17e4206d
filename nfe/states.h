#pragma once

#include <string_view>

namespace nfe {

// The two-letter abbreviation of an IBGE state code ("SP" for 35). The codes 90 and 91 of
// the national bodies give "DF"; any other unknown code gives the empty text.
std::string_view StateAbbreviation(int cUF);

// One of the 27 state abbreviations, or "EX" for an address abroad.
bool IsValidStateAbbreviation(std::string_view uf);

}  // namespace nfe
