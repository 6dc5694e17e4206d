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

// Who may read a new file: everyone the umask allows, or its owner alone (0600).
enum class Readers { shared, ownerOnly };

// Replaces the file at path with contents, byte for byte, in one step: the contents go to a
// new file in the same folder, which then takes the target's name, and the folder is synced,
// so that a power cut after the call keeps the new file. A failure throws FileError and
// leaves the folder as it was: an older file keeps its contents and no partial file stays
// behind.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         Readers readers = Readers::shared);

// The calls that make the writing durable, replaceable so that a test can watch their order.
struct DurabilityCalls {
    int (*sync)(int descriptor) = nullptr;                      // ::fsync when null
    int (*rename)(const char* from, const char* to) = nullptr;  // std::rename when null
};
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
                         Readers readers, const DurabilityCalls& calls);

}  // namespace files
