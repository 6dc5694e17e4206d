#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace app {

// Reads and writes one value of an INI-style profile file the way Windows does: section and
// key names match whatever their letter case, the value is trimmed and loses one pair of
// surrounding quotes, the first of two equal sections or keys wins, and writing keeps every
// other line of the file as it was. A missing file reads as empty.

std::string ReadProfileValue(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view defaultValue);

struct ProfileEntry {
    std::string_view key;
    std::string value;
};

// Sets the keys of one section, creating the file, the section or a key when missing, and
// replaces the whole file in one step: an interrupted save leaves the old file or the new one,
// never a mix. Throws std::runtime_error when the file cannot be written.
void WriteProfileValues(const std::filesystem::path& file, std::string_view section,
                        const std::vector<ProfileEntry>& entries);

}  // namespace app
