#pragma once

#include <string>
#include <string_view>

namespace convert {

// Cuts text at the first occurrence of heading (trimmed, compared with ASCII folding). When
// found, before receives the text in front of the heading and rest the text from the heading
// on; when not, before becomes empty and rest is left as it was. The conversion walks the
// page by passing its remainder both as text and as rest, which is allowed.
void SplitAtHeading(std::string_view heading, std::string_view text, std::string& rest,
                    std::string& before);

}  // namespace convert
