#include "app/download_target.h"

#include <string>

#include "app/working_files.h"
#include "nfe/access_key.h"
#include "text/trim.h"

namespace app {

InvalidDownloadKey::InvalidDownloadKey()
    : std::runtime_error("Chave incorreta. Verifique a chave informada.") {}

std::filesystem::path DownloadTarget(std::string_view keyBoxText, std::string_view outputFolder,
                                     const std::filesystem::path& executableFolder) {
    const std::string_view key = text::Trim(keyBoxText);
    if (!nfe::IsWrittenAccessKey(key)) {
        throw InvalidDownloadKey();
    }
    return PrepareOutputFolder(outputFolder, executableFolder) / (std::string(key) + "-orig.xml");
}

}  // namespace app
