#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tools {

// The message for a key that is not a valid access key, as the desktop program gives it.
inline constexpr std::string_view kWrongKeyMessage =
    "Chave incorreta. Verifique a chave informada.";

struct KeyList {
    std::vector<std::string> keys;     // 44 digits each, in their order, each once
    std::vector<std::string> invalid;  // as they were written
};

// The keys of the command line, then those of keysFile (when not empty): one a line, blank
// lines and anything after "#" ignored. A key is its 44 digits, which may be grouped by
// blanks, and must pass the access-key check. Throws std::runtime_error when keysFile
// cannot be read.
KeyList CollectKeys(const std::vector<std::string>& arguments, const std::string& keysFile);

}  // namespace tools
