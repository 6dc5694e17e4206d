#pragma once

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "nfe/currency.h"
#include "nfe/date_time.h"

namespace nfe {

// A date, a date-time or a time of day handed to the generator. TDateTime is a plain double,
// so dates travel under a tag of their own: a date field reads only this, and a number field
// never mistakes a date for an amount.
struct DateTimeValue {
    explicit constexpr DateTimeValue(TDateTime days) : value(days) {}
    TDateTime value;
};

// The value of one XML field: UTF-8 text, a whole number, a Currency, a double or a date.
// Each field type converts it as it needs (see field_content.h).
class FieldValue {
public:
    FieldValue(const char* text) : value_(std::string(text)) {}
    FieldValue(std::string_view text) : value_(std::string(text)) {}
    FieldValue(const std::string& text) : value_(text) {}
    template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>) FieldValue(T number)
        : value_(static_cast<std::int64_t>(number)) {}
    FieldValue(Currency amount) : value_(amount) {}
    FieldValue(double number) : value_(number) {}
    FieldValue(DateTimeValue date) : value_(date) {}

    // Enumerations are written through their codes, truth values have no XML form here.
    template <typename T>
    requires std::is_enum_v<T> FieldValue(T)
    = delete;
    FieldValue(bool) = delete;

    // The value as the program shows it to people (Brazilian settings): "1234,5",
    // "24/08/2015 10:30:00". Alert lines quote values this way.
    std::string Text() const;

    // Plain decimal text ("-1234.5", "0.00005"): exact for whole numbers and Currency, the
    // shortest text that reads back as the same double for doubles; nullopt for a date, a
    // value that is not finite and a text that is not a number such as "1234,56".
    std::optional<std::string> DecimalText() const;

    // Whole numbers as they are, Currency and doubles rounded half away from zero, texts of
    // digits with an optional sign; nullopt for anything else.
    std::optional<std::int64_t> WholeNumber() const;

    // The date of a DateTimeValue; nullopt for every other value.
    std::optional<TDateTime> DateTime() const;

    // The text of a text value; null for every other value.
    const std::string* TextValue() const { return std::get_if<std::string>(&value_); }

private:
    std::variant<std::string, std::int64_t, Currency, double, DateTimeValue> value_;
};

}  // namespace nfe
