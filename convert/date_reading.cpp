#include "convert/date_reading.h"

#include <optional>
#include <string>

#include "nfe/conversion_error.h"
#include "text/character_filters.h"
#include "text/trim.h"
#include "text/windows1252.h"

namespace convert {
namespace {

// Reads the text left to right; every Read advances only when it succeeds.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return position_ == text_.size(); }

    bool SkipToDigit() {
        while (position_ < text_.size() && !text::IsDigit(text_[position_])) {
            ++position_;
        }
        return !AtEnd();
    }

    // day/month/year: one or two digits for day and month, four for the year.
    std::optional<nfe::CivilDateTime> ReadDate() {
        const std::size_t start = position_;
        nfe::CivilDateTime date;
        const bool ok = Assign(date.day, ReadNumber(1, 2)) && Take('/') &&
                        Assign(date.month, ReadNumber(1, 2)) && Take('/') &&
                        Assign(date.year, ReadNumber(4, 4)) &&
                        nfe::IsValidDate(date.year, date.month, date.day);
        if (!ok) {
            position_ = start;
            return std::nullopt;
        }
        return date;
    }

    // hours[:minutes[:seconds]], one or two digits each; with requireMinutes a bare number is
    // not taken for a time.
    bool ReadTime(nfe::CivilDateTime& value, bool requireMinutes) {
        const std::size_t start = position_;
        nfe::CivilDateTime time = value;
        bool ok = Assign(time.hour, ReadNumber(1, 2));
        bool withMinutes = false;
        if (ok && TakeBeforeDigit(':')) {
            withMinutes = true;
            ok = Assign(time.minute, ReadNumber(1, 2));
            if (ok && TakeBeforeDigit(':')) {
                ok = Assign(time.second, ReadNumber(1, 2));
            }
        }
        ok = ok && (withMinutes || !requireMinutes) &&
             nfe::IsValidTime(time.hour, time.minute, time.second);
        if (!ok) {
            position_ = start;
            return false;
        }
        value = time;
        return true;
    }

private:
    std::optional<int> ReadNumber(std::size_t minDigits, std::size_t maxDigits) {
        std::size_t end = position_;
        int value = 0;
        while (end < text_.size() && text::IsDigit(text_[end])) {
            value = value * 10 + (text_[end] - '0');
            if (++end - position_ > maxDigits) {
                return std::nullopt;
            }
        }
        if (end - position_ < minDigits) {
            return std::nullopt;
        }
        position_ = end;
        return value;
    }

    static bool Assign(int& target, std::optional<int> value) {
        if (value) {
            target = *value;
        }
        return value.has_value();
    }

    bool Take(char c) {
        if (position_ < text_.size() && text_[position_] == c) {
            ++position_;
            return true;
        }
        return false;
    }

    // A separator counts only when a digit follows it.
    bool TakeBeforeDigit(char c) {
        if (position_ + 1 < text_.size() && text_[position_] == c &&
            text::IsDigit(text_[position_ + 1])) {
            ++position_;
            return true;
        }
        return false;
    }

    std::string_view text_;
    std::size_t position_ = 0;
};

std::optional<nfe::TDateTime> ReadDateTime(std::string_view text) {
    Reader reader(text);
    if (!reader.SkipToDigit()) {
        return std::nullopt;
    }
    if (std::optional<nfe::CivilDateTime> value = reader.ReadDate()) {
        if (reader.SkipToDigit() && !reader.ReadTime(*value, false)) {
            return std::nullopt;
        }
        return nfe::EncodeDateTime(*value);
    }
    nfe::CivilDateTime time;
    if (!reader.ReadTime(time, true)) {
        return std::nullopt;
    }
    return nfe::EncodeTime(time.hour, time.minute, time.second);
}

std::optional<nfe::TDateTime> ReadDate(std::string_view text) {
    Reader reader(text::Trim(text));
    const std::optional<nfe::CivilDateTime> date = reader.ReadDate();
    if (!date || !reader.AtEnd()) {
        return std::nullopt;
    }
    return nfe::EncodeDate(date->year, date->month, date->day);
}

}  // namespace

nfe::TDateTime DateTimeOrDefault(std::string_view text, nfe::TDateTime defaultValue) {
    return ReadDateTime(text).value_or(defaultValue);
}

nfe::TDateTime DateTimeOrFail(std::string_view text) {
    if (const std::optional<nfe::TDateTime> value = ReadDateTime(text)) {
        return *value;
    }
    throw nfe::ConversionError("Data inválida: \"" + text::Windows1252ToUtf8(text) + "\"");
}

bool IsPageDate(std::string_view text) {
    return ReadDate(text).has_value();
}

nfe::TDateTime DateOrDefault(std::string_view text, nfe::TDateTime defaultValue) {
    return ReadDate(text).value_or(defaultValue);
}

}  // namespace convert
