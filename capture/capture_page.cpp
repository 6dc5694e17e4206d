#include "capture/capture_page.h"

#include "capture/legacy_markup.h"
#include "text/windows1252.h"

namespace capture {

std::optional<PageLines> PageLinesFromDocument(std::string_view htmlDocument,
                                               const std::function<void()>& processPendingEvents) {
    const std::optional<std::string> body = LegacyBodyMarkup(htmlDocument);
    if (!body) {
        return std::nullopt;
    }
    return PageLinesFromMarkup(text::Utf8ToWindows1252(*body), processPendingEvents);
}

PageLines PageLinesFromBodyContent(std::string_view bodyInnerHtml,
                                   const std::function<void()>& processPendingEvents) {
    return PageLinesFromMarkup(text::Utf8ToWindows1252(LegacyMarkupOfBodyContent(bodyInnerHtml)),
                               processPendingEvents);
}

}  // namespace capture
