#include "app/file_locations.h"

#include <stdexcept>

#include "dfe/data_folder.h"

namespace app {
namespace {

bool IsAbsolute(const char* folder) {
    return folder != nullptr && std::filesystem::path(folder).is_absolute();
}

std::filesystem::path UserConfigFolder(const char* xdgConfigHome, const char* home) {
    if (IsAbsolute(xdgConfigHome)) {
        return std::filesystem::path(xdgConfigHome) / "vellora";
    }
    if (IsAbsolute(home)) {
        return std::filesystem::path(home) / ".config" / "vellora";
    }
    throw std::runtime_error(
        "A pasta do programa não pode ser gravada e não há pasta de configuração do usuário: "
        "defina XDG_CONFIG_HOME ou HOME com um caminho absoluto.");
}

}  // namespace

FileLocations ChooseFileLocations(
    const std::filesystem::path& executableFolder,
    const std::function<bool(const std::filesystem::path&)>& isWritable,
    const std::function<const char*(const char* name)>& variable) {
    if (isWritable(executableFolder)) {
        return {executableFolder, {}};
    }
    const char* home = variable("HOME");
    return {UserConfigFolder(variable("XDG_CONFIG_HOME"), home),
            dfe::UserDataFolder(variable("XDG_DATA_HOME"), home) / "xml"};
}

}  // namespace app
