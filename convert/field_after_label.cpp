#include "convert/field_after_label.h"

#include "convert/copy.h"
#include "convert/page_text.h"
#include "text/ascii_case.h"
#include "text/trim.h"

namespace convert {

std::string FieldAfterLabel(std::string_view text, std::string_view label, int count) {
    const std::size_t position = text::FindIgnoringCase(text, label);
    if (position == std::string_view::npos) {
        return {};
    }
    const std::string_view tail = text.substr(position + label.size());
    if (count > 0) {
        return std::string(text::Trim(Copy(tail, 1, count)));
    }
    const std::size_t separator = tail.find(kLineSeparator);
    if (separator == std::string_view::npos) {
        return {};
    }
    return std::string(text::Trim(tail.substr(0, separator)));
}

}  // namespace convert
