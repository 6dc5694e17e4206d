#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace app {

// Reads and writes one value of an INI-style profile file the way Windows does: section and
// key names match whatever their letter case, the value is trimmed and loses one pair of
// surrounding quotes, the first of two equal sections or keys wins, and writing keeps every
// other line of the file as it was. A missing file reads as empty.

std::string LerValorPerfil(const std::filesystem::path& file, std::string_view section,
                           std::string_view key, std::string_view defaultValue);

// Creates the file, the section or the key when missing. Throws std::runtime_error when the
// file cannot be written.
void GravarValorPerfil(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view value);

}  // namespace app
