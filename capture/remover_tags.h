#pragma once

#include <string>
#include <string_view>

namespace capture {

// Drops every tag, a run from "<" to the first ">" at or after it, with nothing put in its
// place. A ">" outside a tag stays, and so does everything from a "<" that has no ">" after it.
// Works on 8-bit text.
std::string RemoverTags(std::string_view text);

}  // namespace capture
