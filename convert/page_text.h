#pragma once

#include <string>
#include <string_view>

namespace convert {

// Stands where a line break was in the page lines.
inline constexpr std::string_view kLineSeparator = "|&|";

// The page text read by the conversion: the page lines (Windows-1252, CR LF between lines) as
// one line, with every CR LF replaced by "|&|" and then every " &amp; " by " & ".
std::string BuildPageText(std::string_view pageLines);

}  // namespace convert
