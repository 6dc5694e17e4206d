#include "capture/page_lines.h"

#include "capture/remover_tags.h"
#include "text/ascii_case.h"
#include "text/trim.h"

namespace capture {
namespace {

bool IsScriptLine(std::string_view line) {
    return text::IsBlank(line) || line.find("function") != std::string_view::npos ||
           line.find("document") != std::string_view::npos ||
           line.find('{') != std::string_view::npos || line.find('}') != std::string_view::npos;
}

bool StartsWithNbsp(std::string_view text, std::size_t position) {
    constexpr std::string_view kNbsp = "&nbsp;";
    if (text.size() - position < kNbsp.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kNbsp.size(); ++i) {
        if (text::AsciiLower(text[position + i]) != kNbsp[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

PageLines SplitLines(std::string_view text) {
    PageLines lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.emplace_back(text.substr(start));
    return lines;
}

std::string RemoveNbsp(std::string_view line) {
    std::string result;
    result.reserve(line.size());
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '&' && StartsWithNbsp(line, i)) {
            i += 6;
        } else {
            result += line[i++];
        }
    }
    return result;
}

PageLines FilterScriptLines(PageLines lines, const std::function<void()>& processPendingEvents) {
    if (lines.empty()) {
        return lines;
    }
    PageLines kept;
    kept.reserve(lines.size());
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        processPendingEvents();
        if (!IsScriptLine(lines[i])) {
            kept.push_back(std::move(lines[i]));
        }
    }
    kept.push_back(std::move(lines.back()));
    return kept;
}

std::string JoinPageLines(const PageLines& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += lines[i];
    }
    return text;
}

PageLines PageLinesFromMarkup(std::string_view markup,
                              const std::function<void()>& processPendingEvents) {
    PageLines lines = SplitLines(RemoverTags(markup));
    for (std::string& line : lines) {
        line = RemoveNbsp(line);
    }
    return FilterScriptLines(std::move(lines), processPendingEvents);
}

}  // namespace capture
