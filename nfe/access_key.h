#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "nfe/cnpj.h"
#include "nfe/date_time.h"

namespace nfe {

// The 44-character access key that identifies an invoice: digits, except the issuer's CNPJ
// at positions 7 to 20, which may hold capital letters (see cnpj.h). Every function reads
// only the key characters of its argument, so grouping blanks and an "NFe" prefix do not
// matter.

// The characters of a key written with blanks, dots or an "NFe" prefix: its digits and
// letters in their order, the letters in upper case.
std::string KeyCharacters(std::string_view text);

// A key as a file name, a service or a document carries it: exactly 44 characters, letters in
// capitals, nothing around them, and valid.
bool IsWrittenAccessKey(std::string_view text);

// A key typed or pasted by a person: digits and letters of either case, in groups or not.
// Gives its 44 characters, letters in capitals, when they form a valid key.
std::optional<std::string> TypedAccessKey(std::string_view text);

struct KeyCheckDigitResult {
    int digit = 0;
    // True only when text held exactly 43 key characters.
    bool complete = false;
};

// The modulo-11 check digit over the values of the first 43 key characters of text.
KeyCheckDigitResult KeyCheckDigit(std::string_view text);

// 44 key characters, all digits but the issuer's CNPJ, with a matching check digit, a known
// state code, a valid year-month and a valid CNPJ. Never throws.
bool IsValidAccessKey(std::string_view text);

// The key in groups of four characters separated by blanks, as it is printed.
std::string GroupedKey(std::string_view key);

// The numeric code cNF: key characters 36 to 43 for layout 2.00 and later, 35 to 43 before.
// Throws ConversionError when the key has fewer than 36 characters or they are not digits.
int KeyNumericCode(std::string_view key, double version);

// The last character of an identifier "NFe..." as a digit; throws ConversionError when it
// is not one.
int IdentifierCheckDigit(std::string_view identifier);

// The decimal text of value with zeros in front, cut to its last width characters.
std::string PadZeros(std::int64_t value, int width);

bool IsKnownUFCode(int code);

// Four digits whose last two are a month from 01 to 12.
bool IsValidYearMonth(std::string_view text);

// Draws a numeric code at least 0 and below bound. An empty function stands for the
// program's own generator, seeded from the clock.
using NumericCodeDraw = std::function<int(int bound)>;

// Builds the identifier "NFe" + 44 characters from the invoice's header fields. cNF 0 draws a
// random non-zero code, -1 derives the code from nNF, and -2 (layout 2.00 and later) stands
// for 0; tpEmis has a digit from layout 2.00 on. Gives nullopt when a field cannot be placed
// in the key: a date outside years 1 to 9999 or a negative field.
std::optional<std::string> ComposeAccessKey(int cUF, int cNF, std::string_view cnpjCpf,
                                            TDateTime emission, int tpEmis, int nNF, int serie,
                                            int modelo, double version,
                                            const NumericCodeDraw& draw = {});

}  // namespace nfe
