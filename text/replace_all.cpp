#include "text/replace_all.h"

namespace text {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size() + text.size() / 8);
    std::size_t position = 0;
    for (std::size_t found; (found = text.find(from, position)) != std::string_view::npos;
         position = found + from.size()) {
        result.append(text, position, found - position);
        result.append(to);
    }
    result.append(text, position);
    return result;
}

}  // namespace text
