#include "app/working_files.h"

#include <system_error>

namespace app {

std::filesystem::path PrepareOutputFolder(std::string_view outputFolder,
                                          const std::filesystem::path& executableFolder) {
    const std::filesystem::path folder =
        outputFolder.empty()
            ? executableFolder / "xml"
            : std::filesystem::path(std::u8string(outputFolder.begin(), outputFolder.end()));
    std::filesystem::create_directories(folder);
    return folder;
}

void DeleteIfPresent(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

void CleanUpWorkingFiles(const std::filesystem::path& executableFolder) {
    std::error_code ignored;
    if (std::filesystem::is_directory(executableFolder / "xml", ignored)) {
        // remove() deletes a folder only when it is empty, which is the rule here.
        std::filesystem::remove(executableFolder / "xml", ignored);
    }
    for (const auto* name : {"resulta.txt", "resulta2.txt", "captcha.png"}) {
        DeleteIfPresent(executableFolder / name);
    }
}

}  // namespace app
