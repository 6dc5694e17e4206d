// Markup of any kind, as a body's content and as a saved page, through the legacy form to the
// page lines; checks what the conversion relies on besides not crashing.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "capture/capture_page.h"
#include "capture/nesting_depth.h"
#include "capture/page_lines.h"
#include "capture/saved_page.h"

namespace {

bool IsScriptOrBlank(std::string_view line) {
    const bool blank = std::all_of(line.begin(), line.end(),
                                   [](char c) { return static_cast<unsigned char>(c) <= 32; });
    return blank || line.find("function") != std::string_view::npos ||
           line.find("document") != std::string_view::npos ||
           line.find_first_of("{}") != std::string_view::npos;
}

void Check(const capture::PageLines& lines) {
    if (lines.empty() || capture::SplitLines(capture::JoinPageLines(lines)) != lines) {
        std::abort();
    }
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (IsScriptOrBlank(lines[i])) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    try {
        Check(capture::PageLinesFromBodyContent(html));
    } catch (const capture::MarkupTooDeep&) {
        // refused before the parse, as the depth check intends
    }
    try {
        if (const std::optional<capture::PageLines> lines =
                capture::PageLinesFromDocument(capture::DecodeSavedPage(std::string(html)))) {
            Check(*lines);
        }
    } catch (const std::runtime_error&) {
        // a character set that pages of the portal never declare, or markup nested too deep
    }
    return 0;
}
