#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace convert {

// The page lines that a file of page lines holds, as the conversion takes them: Windows-1252
// with CR LF between the lines. The file is UTF-8 (a byte-order mark is dropped), or
// Windows-1252 when its bytes are not valid UTF-8; its lines end with CR LF or LF, and the
// line break at the end of the file ends the last line rather than starting an empty one.
std::string PageLinesFromFileText(std::string_view bytes);

// Reads the file and applies PageLinesFromFileText. Throws std::runtime_error when the file
// cannot be read.
std::string ReadPageLinesFile(const std::filesystem::path& path);

}  // namespace convert
