#pragma once

#include <filesystem>

namespace dfe {

// The folder where Vellora keeps what it remembers for the user: $XDG_DATA_HOME/vellora, or
// $HOME/.local/share/vellora when XDG_DATA_HOME is unset, empty or not absolute. The two
// arguments are the variables' values (nullptr when unset). Throws Error when neither gives
// a folder.
std::filesystem::path UserDataFolder(const char* xdgDataHome, const char* home);

}  // namespace dfe
