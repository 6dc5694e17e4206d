#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

namespace capture {

// Markup nested so deep that no browser would build it as written. The parser's own checks of
// the open elements grow with their depth, so such a page would hold the program for minutes.
class MarkupTooDeep : public std::runtime_error {
public:
    MarkupTooDeep();
};

// Browsers stop nesting past a few hundred levels; real pages stay far below this.
inline constexpr std::size_t kMaximumNestingDepth = 1000;

// Throws MarkupTooDeep when the elements of html, counted as a browser would open and close
// them, nest deeper than kMaximumNestingDepth. Linear in the size of html.
void CheckNestingDepth(std::string_view html);

}  // namespace capture
