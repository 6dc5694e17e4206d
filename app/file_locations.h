#pragma once

#include <filesystem>
#include <functional>

namespace app {

// Where the desktop program keeps its files.
struct FileLocations {
    // The settings file and the working files.
    std::filesystem::path workingFolder;
    // Where output goes when the command line names no folder; empty for the folder "xml"
    // beside the settings file.
    std::filesystem::path defaultOutputFolder;
};

// Started from a writable folder, as the calling applications start it, the program keeps
// everything beside itself. Installed in a folder it cannot write, it keeps its settings and
// working files in $XDG_CONFIG_HOME/vellora/ (else ~/.config/vellora/) and its output in
// $XDG_DATA_HOME/vellora/xml/ (else ~/.local/share/vellora/xml/); relative values of the
// variables are ignored. variable gives an environment variable's value, nullptr when unset.
// Throws std::runtime_error (dfe::Error for the data folder) when neither the variables nor
// HOME give an absolute folder.
FileLocations ChooseFileLocations(
    const std::filesystem::path& executableFolder,
    const std::function<bool(const std::filesystem::path&)>& isWritable,
    const std::function<const char*(const char* name)>& variable);

}  // namespace app
