#pragma once

#include <string>
#include <string_view>

#include "convert/field_after_label.h"
#include "nfe/code_tables.h"
#include "nfe/currency.h"

namespace convert {

// How the section readers turn the value after a label into a document field. The section
// is page text (Windows-1252); texts come back as UTF-8, ready for the document.

std::string TextField(std::string_view section, std::string_view label, int count = 0);

// The value after label, or after fallbackLabel when the first one gives the empty text.
std::string TextFieldOr(std::string_view section, std::string_view label,
                        std::string_view fallbackLabel);

std::string DigitsField(std::string_view section, std::string_view label);
std::string LettersAndDigitsField(std::string_view section, std::string_view label);

// The access key after label: its digits and letters, the letters in upper case.
std::string KeyField(std::string_view section, std::string_view label);

// The CNPJ or CPF after label, as written on the page ("12.ABC.345/01DE-35"): the digits and
// letters of the words that hold a digit, so that a word beside the number is not taken in.
std::string CnpjCpfField(std::string_view section, std::string_view label);

int IntegerField(std::string_view section, std::string_view label, int defaultValue, int count = 0);

// A page number as money, quantity or weight.
nfe::Currency MoneyField(std::string_view section, std::string_view label);

// The code the page shows in the first count characters after label; an unknown code gives
// the table's fall-back value.
template <nfe::CodedEnum Enum>
Enum CodeField(std::string_view section, std::string_view label, int count) {
    return nfe::TextToEnum<Enum>(FieldAfterLabel(section, label, count));
}

}  // namespace convert
