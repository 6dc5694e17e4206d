#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace nfe {

// The official name of a municipality from the list of its state, the file
// "MunIBGE-UF<two-digit state code>.txt" in folder: the text that follows the seven-digit
// code on the first line that holds it, without the blanks and separators around it. Files
// in Windows-1252 are read as such. nullopt when the file, the code or the name is missing.
std::optional<std::string> LookUpMunicipalityName(const std::filesystem::path& folder, int cMun);

}  // namespace nfe
