#include "convert/field_rules.h"

#include <algorithm>

#include "convert/integer_reading.h"
#include "convert/page_number.h"
#include "nfe/access_key.h"
#include "text/character_filters.h"
#include "text/windows1252.h"

namespace convert {

std::string TextField(std::string_view section, std::string_view label, int count) {
    return text::Windows1252ToUtf8(FieldAfterLabel(section, label, count));
}

std::string TextFieldOr(std::string_view section, std::string_view label,
                        std::string_view fallbackLabel) {
    std::string value = FieldAfterLabel(section, label);
    if (value.empty()) {
        value = FieldAfterLabel(section, fallbackLabel);
    }
    return text::Windows1252ToUtf8(value);
}

std::string DigitsField(std::string_view section, std::string_view label) {
    return text::DigitsOnly(FieldAfterLabel(section, label));
}

std::string LettersAndDigitsField(std::string_view section, std::string_view label) {
    return text::LettersAndDigitsOnly(FieldAfterLabel(section, label));
}

std::string KeyField(std::string_view section, std::string_view label) {
    return nfe::KeyCharacters(FieldAfterLabel(section, label));
}

std::string CnpjCpfField(std::string_view section, std::string_view label) {
    const std::string value = FieldAfterLabel(section, label);
    std::string characters;
    std::size_t start = 0;
    while (start < value.size()) {
        const std::size_t end = std::min(value.find(' ', start), value.size());
        const std::string_view word = std::string_view(value).substr(start, end - start);
        if (std::any_of(word.begin(), word.end(), text::IsDigit)) {
            characters += nfe::IdentifierCharacters(word);
        }
        start = end + 1;
    }
    return characters;
}

int IntegerField(std::string_view section, std::string_view label, int defaultValue, int count) {
    return IntegerOrDefault(FieldAfterLabel(section, label, count), defaultValue);
}

nfe::Currency MoneyField(std::string_view section, std::string_view label) {
    return PageCurrency(FieldAfterLabel(section, label));
}

}  // namespace convert
