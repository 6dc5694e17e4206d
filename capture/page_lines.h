#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace capture {

// The captured page, one Windows-1252 line per entry, as the conversion receives it.
using PageLines = std::vector<std::string>;

// Splits at every CR LF, lone CR and lone LF. n line breaks give n + 1 lines, so a text that
// ends with a line break ends with an empty line.
PageLines SplitLines(std::string_view text);

// Removes every "&nbsp;", letters in any case, in one pass from left to right; no other entity
// is touched.
std::string RemoveNbsp(std::string_view line);

// Drops what is left of the page's scripts: every line but the last is deleted when it is
// blank (only codes 32 and below) or contains "function", "document", "{" or "}"
// (case-sensitive). The last line always stays. processPendingEvents runs before each examined
// line; the desktop program handles its pending window events there.
PageLines FilterScriptLines(
    PageLines lines, const std::function<void()>& processPendingEvents = [] {});

// The lines as the one text that the conversion takes: CR LF between them.
std::string JoinPageLines(const PageLines& lines);

// From the body's markup, already in Windows-1252, to the page lines: tags removed, split
// into lines, "&nbsp;" removed, script lines filtered.
PageLines PageLinesFromMarkup(
    std::string_view markup, const std::function<void()>& processPendingEvents = [] {});

}  // namespace capture
