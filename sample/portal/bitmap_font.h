#pragma once

#include <array>
#include <string_view>

namespace sample {

// A 5 x 7 dot font for the digits and the capital letters, drawn as text rows in which "#"
// marks a dot.
using Glyph = std::array<std::string_view, 7>;

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// The glyph of a digit or a letter (either case), nullptr for any other character.
const Glyph* FindGlyph(char character);

}  // namespace sample
