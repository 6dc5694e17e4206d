#include "nfe/municipality_names.h"

#include <fstream>
#include <string_view>

#include "nfe/access_key.h"
#include "text/windows1252.h"

namespace nfe {
namespace {

std::string_view TrimSeparators(std::string_view text) {
    constexpr std::string_view kSeparators = " \t\r\n;,|";
    const auto first = text.find_first_not_of(kSeparators);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSeparators) - first + 1);
}

}  // namespace

std::optional<std::string> LookUpMunicipalityName(const std::filesystem::path& folder, int cMun) {
    if (cMun < 1000000 || cMun > 9999999) {
        return std::nullopt;
    }
    const std::string code = std::to_string(cMun);
    std::ifstream file(folder / ("MunIBGE-UF" + PadZeros(cMun / 100000, 2) + ".txt"),
                       std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        const auto found = line.find(code);
        if (found == std::string::npos) {
            continue;
        }
        const std::string_view name = TrimSeparators(std::string_view(line).substr(found + 7));
        if (name.empty()) {
            return std::nullopt;
        }
        return text::IsValidUtf8(name) ? std::string(name) : text::Windows1252ToUtf8(name);
    }
    return std::nullopt;
}

}  // namespace nfe
