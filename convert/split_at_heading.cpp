#include "convert/split_at_heading.h"

#include "text/ascii_case.h"
#include "text/trim.h"

namespace convert {

void SplitAtHeading(std::string_view heading, std::string_view text, std::string& rest,
                    std::string& before) {
    const std::size_t position = text::FindIgnoringCase(text, text::Trim(heading));
    if (position == std::string_view::npos) {
        before.clear();
        return;
    }
    // Both parts are copied out before either output changes, as text may view rest itself.
    std::string head(text.substr(0, position));
    std::string tail(text.substr(position));
    rest = std::move(tail);
    before = std::move(head);
}

}  // namespace convert
