#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace app {

// The key box does not hold a valid access key, so no file name can be made from it.
class InvalidDownloadKey : public std::runtime_error {
public:
    InvalidDownloadKey();
};

// The file of a certificate download: the 44 key digits followed by "-orig.xml", in the output
// folder (the folder "xml" beside the executable when it is empty), which is created when
// missing. The key box must hold exactly one valid access key, blanks around it aside: the
// name is made of its digits only, so that nothing typed or passed on the command line can
// lead the file out of its folder.
std::filesystem::path DownloadTarget(std::string_view keyBoxText, std::string_view outputFolder,
                                     const std::filesystem::path& executableFolder);

}  // namespace app
