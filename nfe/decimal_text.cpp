#include "nfe/decimal_text.h"

#include <algorithm>

namespace nfe {

std::string RoundDecimalText(std::string_view decimal, int places) {
    const bool negative = !decimal.empty() && decimal.front() == '-';
    if (negative) {
        decimal.remove_prefix(1);
    }
    const auto point = decimal.find('.');
    const std::string_view whole = decimal.substr(0, point);
    std::string fraction(point == std::string_view::npos ? "" : decimal.substr(point + 1));

    const std::size_t kept = static_cast<std::size_t>(std::max(places, 0));
    const bool round_up = fraction.size() > kept && fraction[kept] >= '5';
    fraction.resize(kept, '0');

    std::string digits = "0" + std::string(whole) + fraction;
    if (round_up) {
        std::size_t i = digits.size();
        while (digits[--i] == '9') {
            digits[i] = '0';
        }
        ++digits[i];
    }
    std::string integer = digits.substr(0, digits.size() - kept);
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size() - 1));

    std::string result = integer;
    if (kept > 0) {
        result += "." + digits.substr(digits.size() - kept);
    }
    if (negative && !IsZeroDecimalText(result)) {
        result.insert(0, "-");
    }
    return result;
}

bool IsZeroDecimalText(std::string_view decimal) {
    return std::none_of(decimal.begin(), decimal.end(),
                        [](char c) { return c >= '1' && c <= '9'; });
}

bool HasFractionDigits(std::string_view decimal) {
    const auto point = decimal.find('.');
    return point != std::string_view::npos && !IsZeroDecimalText(decimal.substr(point + 1));
}

}  // namespace nfe
