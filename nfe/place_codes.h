#pragma once

namespace nfe {

// Brazil in the central bank's list of countries.
inline constexpr int kBrazilCountryCode = 1058;

// The seven-digit IBGE municipality code: a known state in its first two digits and a
// check digit last, apart from the few municipalities whose codes were issued without one.
// 9999999 stands for any place abroad and is valid.
bool IsValidMunicipalityCode(int cMun);

// A country code of the central bank's list (1058 is Brazil): up to four digits, the last
// of them a modulo-11 check digit over the others.
bool IsValidCountryCode(int cPais);

}  // namespace nfe
