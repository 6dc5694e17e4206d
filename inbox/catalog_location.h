#pragma once

#include <filesystem>

namespace inbox {

// The catalogue that vellora-dfe uses too: VELLORA_CATALOGO when set, otherwise
// $XDG_DATA_HOME/vellora/vellora.sqlite (the arguments are the variables' values, nullptr
// when unset). Throws dfe::Error when no folder can be found.
std::filesystem::path CatalogLocation(const char* catalogVariable, const char* xdgDataHome,
                                      const char* home);

}  // namespace inbox
