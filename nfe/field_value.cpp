#include "nfe/field_value.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "text/character_filters.h"
#include "text/trim.h"

namespace nfe {
namespace {

// "-1234.5678" for a count of 1/10000; exact for every count, the smallest included.
std::string CurrencyDecimalText(Currency amount) {
    const std::int64_t raw = amount.Raw();
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, "%04u",
                  static_cast<unsigned>(magnitude % Currency::kScale));
    return (raw < 0 ? "-" : "") + std::to_string(magnitude / Currency::kScale) + "." + fraction;
}

std::string ShortestText(double number, std::chars_format format) {
    // Room for the longest fixed form, that of the smallest subnormal.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, format);
    return std::string(buffer, result.ptr);
}

// A number as people type it here: optional sign, digits, optional "," and digits.
std::optional<std::string> DecimalFromTypedText(std::string_view text) {
    text = text::Trim(text);
    std::string decimal;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        if (text.front() == '-') {
            decimal += '-';
        }
        text.remove_prefix(1);
    }
    bool seen_digit = false;
    bool seen_comma = false;
    for (const char c : text) {
        if (text::IsDigit(c)) {
            seen_digit = true;
            decimal += c;
        } else if (c == ',' && !seen_comma) {
            seen_comma = true;
            decimal += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!seen_digit) {
        return std::nullopt;
    }
    return decimal;
}

std::string TwoDigits(int value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

}  // namespace

std::string FieldValue::Text() const {
    struct Visitor {
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(std::int64_t number) const { return std::to_string(number); }
        std::string operator()(Currency amount) const {
            std::string text = CurrencyDecimalText(amount);
            while (text.back() == '0') {
                text.pop_back();
            }
            if (text.back() == '.') {
                text.pop_back();
            } else {
                text[text.find('.')] = ',';
            }
            return text;
        }
        std::string operator()(double number) const {
            std::string text = ShortestText(number, std::chars_format::general);
            if (const auto point = text.find('.'); point != std::string::npos) {
                text[point] = ',';
            }
            return text;
        }
        std::string operator()(DateTimeValue date) const {
            if (!std::isfinite(date.value) || std::fabs(date.value) > 3e6) {
                return {};
            }
            const CivilDateTime parts = DecodeDateTime(date.value);
            char date_text[16];
            std::snprintf(date_text, sizeof date_text, "%02d/%02d/%04d", parts.day, parts.month,
                          parts.year);
            std::string text = date_text;
            if (parts.hour != 0 || parts.minute != 0 || parts.second != 0) {
                text += " " + TwoDigits(parts.hour) + ":" + TwoDigits(parts.minute) + ":" +
                        TwoDigits(parts.second);
            }
            return text;
        }
    };
    return std::visit(Visitor{}, value_);
}

std::optional<std::string> FieldValue::DecimalText() const {
    struct Visitor {
        std::optional<std::string> operator()(const std::string& text) const {
            return DecimalFromTypedText(text);
        }
        std::optional<std::string> operator()(std::int64_t number) const {
            return std::to_string(number);
        }
        std::optional<std::string> operator()(Currency amount) const {
            return CurrencyDecimalText(amount);
        }
        std::optional<std::string> operator()(double number) const {
            if (!std::isfinite(number)) {
                return std::nullopt;
            }
            return ShortestText(number, std::chars_format::fixed);
        }
        std::optional<std::string> operator()(DateTimeValue) const { return std::nullopt; }
    };
    return std::visit(Visitor{}, value_);
}

std::optional<std::int64_t> FieldValue::WholeNumber() const {
    struct Visitor {
        std::optional<std::int64_t> operator()(const std::string& text) const {
            std::string_view digits = text::Trim(text);
            if (!digits.empty() && digits.front() == '+') {
                digits.remove_prefix(1);
            }
            std::int64_t number = 0;
            const auto result =
                std::from_chars(digits.data(), digits.data() + digits.size(), number);
            if (digits.empty() || result.ec != std::errc() ||
                result.ptr != digits.data() + digits.size()) {
                return std::nullopt;
            }
            return number;
        }
        std::optional<std::int64_t> operator()(std::int64_t number) const { return number; }
        std::optional<std::int64_t> operator()(Currency amount) const {
            std::int64_t units = amount.Raw() / Currency::kScale;
            const std::int64_t rest = amount.Raw() % Currency::kScale;
            if (rest >= Currency::kScale / 2) {
                ++units;
            } else if (rest <= -Currency::kScale / 2) {
                --units;
            }
            return units;
        }
        std::optional<std::int64_t> operator()(double number) const {
            // The open range of doubles whose rounding fits in 64 bits.
            if (!(number > -9.2233720368547758e18 && number < 9.2233720368547758e18)) {
                return std::nullopt;
            }
            return std::llround(number);
        }
        std::optional<std::int64_t> operator()(DateTimeValue) const { return std::nullopt; }
    };
    return std::visit(Visitor{}, value_);
}

std::optional<TDateTime> FieldValue::DateTime() const {
    if (const auto* date = std::get_if<DateTimeValue>(&value_)) {
        return date->value;
    }
    return std::nullopt;
}

}  // namespace nfe
