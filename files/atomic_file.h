#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace files {

// A file that could not be written; the message names the file and the reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces the file at path with contents, byte for byte, in one step: the contents go to a
// new file in the same folder, which then takes the target's name. A failure throws
// FileError and leaves the folder as it was: an older file keeps its contents and no
// partial file stays behind.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

}  // namespace files
