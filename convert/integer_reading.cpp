#include "convert/integer_reading.h"

#include <charconv>
#include <optional>
#include <string>

#include "nfe/conversion_error.h"
#include "text/integer.h"
#include "text/trim.h"
#include "text/windows1252.h"

namespace convert {
namespace {

std::optional<int> ReadInteger(std::string_view text) {
    text = text::Trim(text);
    // std::from_chars takes a "-" but not a "+".
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    return text::ParseInteger<int>(text);
}

}  // namespace

int IntegerOrDefault(std::string_view text, int defaultValue) {
    return ReadInteger(text).value_or(defaultValue);
}

int IntegerOrFail(std::string_view text) {
    if (const std::optional<int> value = ReadInteger(text)) {
        return *value;
    }
    throw nfe::ConversionError("Número inteiro inválido: \"" + text::Windows1252ToUtf8(text) +
                               "\"");
}

}  // namespace convert
