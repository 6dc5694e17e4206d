#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "convert/field_rules.h"

namespace convert {

// Readers shared by the steps that fill one item, beside those of field_rules.h. Texts and labels
// are Windows-1252; the searches for a label ignore the case of ASCII letters (FieldAfterLabel),
// the plain searches here do not.

struct LabelAndCount {
    std::string_view label;
    int count = 0;
};

// The value after the first of the labels that gives a non-empty one.
std::string FirstField(std::string_view text, std::initializer_list<LabelAndCount> labels);

bool Contains(std::string_view text, std::string_view part);

// Drops everything in front of the first occurrence of marker; keeps text whole without one.
void CutAt(std::string_view& text, std::string_view marker);

}  // namespace convert
