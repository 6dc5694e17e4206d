#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace text {

// The portal's page text is 8-bit Windows-1252; the document model, the XML file and the
// rest of the program use UTF-8. These are the only bridges between the two.

// Every byte becomes its character; the five bytes that Windows-1252 leaves undefined
// become the control characters of the same number, as Windows itself does.
std::string Windows1252ToUtf8(std::string_view text);

// Characters that Windows-1252 cannot hold, and bytes that are not valid UTF-8, become "?".
std::string Utf8ToWindows1252(std::string_view text);

bool IsValidUtf8(std::string_view text);

// The Windows-1252 byte for one Unicode character, if there is one.
std::optional<unsigned char> Windows1252FromCodePoint(char32_t code_point);

// Reads the UTF-8 character at text[position] and advances position past it. An invalid
// sequence yields nullopt and advances by one byte.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& position);

void AppendUtf8(std::string& out, char32_t code_point);

}  // namespace text
