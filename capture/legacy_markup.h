#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace capture {

// The page lines and the captcha's terminator depend on the body's markup as the legacy
// browser engine wrote it: tag names in capitals, attributes as name="value", a CR LF before
// every block-level element and after every BR, each run of white space in a text one blank
// outside PRE and TEXTAREA (white space alone beside a block gone), script and style contents
// and comments as they are. These functions rebuild that form from a parsed page. Input and
// output are UTF-8.

// The legacy inner markup of the document's body; nullopt when the document has none (a
// frameset page).
std::optional<std::string> LegacyBodyMarkup(std::string_view htmlDocument);

// The same for markup that was inside a body, such as a modern engine's body.innerHTML.
std::string LegacyMarkupOfBodyContent(std::string_view bodyInnerHtml);

}  // namespace capture
