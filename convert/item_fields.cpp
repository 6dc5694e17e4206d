#include "convert/item_fields.h"

namespace convert {

std::string FirstField(std::string_view text, std::initializer_list<LabelAndCount> labels) {
    for (const LabelAndCount& entry : labels) {
        if (std::string value = FieldAfterLabel(text, entry.label, entry.count); !value.empty()) {
            return value;
        }
    }
    return {};
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

void CutAt(std::string_view& text, std::string_view marker) {
    if (const std::size_t position = text.find(marker); position != std::string_view::npos) {
        text.remove_prefix(position);
    }
}

}  // namespace convert
