#include "capture/remover_tags.h"

namespace capture {

std::string RemoverTags(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t kept = 0;  // start of the text not yet consumed by a tag
    std::size_t open = text.find('<');
    while (open != std::string_view::npos) {
        result.append(text, kept, open - kept);
        const std::size_t close = text.find('>', open);
        if (close == std::string_view::npos) {
            kept = open;
            break;
        }
        kept = close + 1;
        open = text.find('<', kept);
    }
    result.append(text, kept);
    return result;
}

}  // namespace capture
