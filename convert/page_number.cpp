#include "convert/page_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "nfe/conversion_error.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace convert {
namespace {

// Checks the whole text against [sign] digits [, digits] [E [sign] digits], with at least one
// digit in the mantissa, and returns it with "." as decimal point and without a "+" sign, the
// form std::from_chars reads. Empty when the text does not have that form.
std::string NormalizedNumber(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    const auto takeSign = [&] {
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-') {
                out += '-';
            }
            ++i;
        }
    };
    const auto takeDigits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text::IsDigit(text[i])) {
            out += text[i++];
        }
        return i - start;
    };
    takeSign();
    std::size_t mantissaDigits = takeDigits();
    if (i < text.size() && text[i] == ',') {
        out += '.';
        ++i;
        mantissaDigits += takeDigits();
    }
    if (mantissaDigits == 0) {
        return {};
    }
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        out += 'e';
        ++i;
        takeSign();
        if (takeDigits() == 0) {
            return {};
        }
    }
    return i == text.size() ? out : std::string();
}

}  // namespace

double ParsePageNumber(std::string_view text, bool commaMode) {
    std::string separated;
    separated.reserve(text.size());
    for (char c : text) {
        if (c != '.') {
            separated += c;
        } else if (commaMode) {
            separated += ',';
        }
    }
    const std::string number = NormalizedNumber(text::Trim(separated));
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    return error == std::errc() && end == number.data() + number.size() ? value : 0.0;
}

nfe::Currency CurrencyFromPageNumber(double value) {
    const long double scaled = static_cast<long double>(value) * nfe::Currency::kScale;
    long double rounded = std::floor(scaled);
    const long double fraction = scaled - rounded;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(rounded, 2.0L) != 0)) {
        rounded += 1;
    }
    // 2^63 is exact in long double; everything below it fits in 64 bits.
    constexpr long double kLimit = 9223372036854775808.0L;
    if (!(rounded >= -kLimit && rounded < kLimit)) {
        throw nfe::ConversionError("Valor fora do intervalo: " + std::to_string(value));
    }
    return nfe::Currency::FromRaw(static_cast<std::int64_t>(rounded));
}

nfe::Currency PageCurrency(std::string_view text, bool commaMode) {
    return CurrencyFromPageNumber(ParsePageNumber(text, commaMode));
}

}  // namespace convert
