#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "nfe/date_time.h"

namespace nfe {

// The 44-digit access key that identifies an invoice. Every function reads only the key
// digits of its argument, so grouping blanks and an "NFe" prefix do not matter.

// The digits of an access key written with blanks or an "NFe" prefix, in their order.
std::string KeyDigits(std::string_view text);

struct KeyCheckDigitResult {
    int digit = 0;
    // True only when text held exactly 43 key digits.
    bool complete = false;
};

// The modulo-11 check digit over the first 43 key digits of text.
KeyCheckDigitResult KeyCheckDigit(std::string_view text);

// 44 key digits with a matching check digit, a known state code, a valid year-month and a
// valid CNPJ. Never throws.
bool IsValidAccessKey(std::string_view text);

// The numeric code cNF: key digits 36 to 43 for layout 2.00 and later, 35 to 43 before.
// Throws ConversionError when the key has fewer than 36 digits.
int KeyNumericCode(std::string_view key, double version);

// The last character of an identifier "NFe..." as a digit; throws ConversionError when it
// is not one.
int IdentifierCheckDigit(std::string_view identifier);

// The decimal text of value with zeros in front, cut to its last width characters.
std::string PadZeros(std::int64_t value, int width);

bool IsKnownUFCode(int code);

// Four digits whose last two are a month from 01 to 12.
bool IsValidYearMonth(std::string_view text);

// Exactly 14 characters whose last two are the CNPJ check digits of the first twelve.
// Throws ConversionError when one of the 14 characters is not a digit.
bool IsValidCNPJ(std::string_view text);

// Draws a numeric code at least 0 and below bound. An empty function stands for the
// program's own generator, seeded from the clock.
using NumericCodeDraw = std::function<int(int bound)>;

// Builds the identifier "NFe" + 44 digits from the invoice's header fields. cNF 0 draws a
// random non-zero code, -1 derives the code from nNF, and -2 (layout 2.00 and later) stands
// for 0; tpEmis has a digit from layout 2.00 on. Gives nullopt when a field cannot be placed
// in the key: a date outside years 1 to 9999 or a negative field.
std::optional<std::string> ComposeAccessKey(int cUF, int cNF, std::string_view cnpjCpf,
                                            TDateTime emission, int tpEmis, int nNF, int serie,
                                            int modelo, double version,
                                            const NumericCodeDraw& draw = {});

}  // namespace nfe
