#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace danfe {

// Code 128 for an access key: set C for pairs of digits, set A for the letters of a key with
// an alphanumeric CNPJ and for a digit left alone between them.

// The symbol values: start, data (with the switches between sets), modulus-103 check
// character, stop. Throws Error for a character other than a digit or a capital letter.
std::vector<int> Code128Symbols(std::string_view text);

// The widths, in modules, of the alternating bars and spaces of the symbols, starting with
// a bar; the stop ends with its final bar.
std::string Code128Widths(const std::vector<int>& symbols);

}  // namespace danfe
