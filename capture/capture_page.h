#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "capture/page_lines.h"

namespace capture {

// The whole capture from markup to page lines: the body in its legacy form, converted to
// Windows-1252, then tags, line breaks, "&nbsp;" and script lines as PageLinesFromMarkup does.

// From a whole HTML document (UTF-8); nullopt when the document has no body.
std::optional<PageLines> PageLinesFromDocument(
    std::string_view htmlDocument, const std::function<void()>& processPendingEvents = [] {});

// From the inner markup of a body (UTF-8), as a browser hands it over.
PageLines PageLinesFromBodyContent(
    std::string_view bodyInnerHtml, const std::function<void()>& processPendingEvents = [] {});

}  // namespace capture
