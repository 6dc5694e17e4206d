#include "app/download_target.h"

#include <algorithm>
#include <string>

#include "app/working_files.h"
#include "nfe/access_key.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace app {

InvalidDownloadKey::InvalidDownloadKey()
    : std::runtime_error("Chave incorreta. Verifique a chave informada.") {}

std::filesystem::path DownloadTarget(std::string_view keyBoxText, std::string_view outputFolder,
                                     const std::filesystem::path& executableFolder) {
    const std::string key = std::string(text::Trim(keyBoxText));
    const bool onlyDigits = std::all_of(key.begin(), key.end(), text::IsDigit);
    if (key.size() != 44 || !onlyDigits || !nfe::IsValidAccessKey(key)) {
        throw InvalidDownloadKey();
    }
    return PrepareOutputFolder(outputFolder, executableFolder) / (key + "-orig.xml");
}

}  // namespace app
