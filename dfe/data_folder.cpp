#include "dfe/data_folder.h"

#include "dfe/error.h"

namespace dfe {

std::filesystem::path UserDataFolder(const char* xdgDataHome, const char* home) {
    // Relative paths are to be ignored, as the base directory rules say.
    if (xdgDataHome != nullptr && std::filesystem::path(xdgDataHome).is_absolute()) {
        return std::filesystem::path(xdgDataHome) / "vellora";
    }
    if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".local" / "share" / "vellora";
    }
    throw Error(
        "Não há pasta de dados do usuário: defina XDG_DATA_HOME ou HOME com um caminho "
        "absoluto.");
}

}  // namespace dfe
