#include "convert/page_text.h"
#include "text/replace_all.h"

namespace convert {

std::string BuildPageText(std::string_view pageLines) {
    return text::ReplaceAll(text::ReplaceAll(pageLines, "\r\n", kLineSeparator), " &amp; ", " & ");
}

}  // namespace convert
