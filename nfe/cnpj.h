#pragma once

#include <string>
#include <string_view>

namespace nfe {

// Since July 2026 a CNPJ's first twelve characters may be capital letters as well as digits;
// the two check digits at its end stay digits. An access key carries the issuer's CNPJ, so
// keys hold letters there too. The check digits of both are computed over the characters'
// values: the ASCII code minus 48, so that the digits count as themselves, "A" counts 17 and
// "Z" counts 42, and an all-digit CNPJ or key keeps the check digits it always had.

constexpr bool IsCapitalLetter(char c) {
    return c >= 'A' && c <= 'Z';
}

constexpr int CheckValue(char c) {
    return c - '0';
}

// The digits and letters of a CNPJ, CPF or key as typed, printed or pasted, the letters in
// upper case; the blanks, dots, slashes and hyphens that group them (and any other mark) are
// dropped: "12.abc.345/01de-35" gives "12ABC34501DE35".
std::string IdentifierCharacters(std::string_view text);

// "12.345.678/0001-95" or "12.ABC.345/01DE-35" for 14 characters, "123.456.789-09" for 11;
// anything else unchanged.
std::string FormattedCnpjCpf(std::string_view number);

// Exactly 14 characters: twelve digits or letters (lower case read as upper case), then the
// two check digits of those twelve. Anything else, a letter among the check digits included,
// is not a valid CNPJ.
bool IsValidCNPJ(std::string_view text);

}  // namespace nfe
