#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace app {

struct CommandLine {
    // Argument 2 trimmed, when it is exactly 44 characters long; not checked any further here.
    std::optional<std::string> key;
    // Argument 3 trimmed; empty means the folder "xml" beside the executable.
    std::string outputFolder;
};

// arguments[0] is the program; argument 1 is not used. Texts are UTF-8 and lengths count
// characters, not bytes.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// What "--help" (or "-h") and "--version", given alone, ask the program to print before it
// opens any window; nullopt for every other command line, a caller's start by key included.
std::optional<std::string> InformationAsked(const std::vector<std::string>& arguments);

}  // namespace app
