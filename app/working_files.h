#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace app {

// Working files beside the executable.
inline constexpr std::string_view kCaptchaImage = "captcha.png";

// Where output files go: the output folder as given, or the folder "xml" beside the
// executable when it is empty. The folder is created with its parents when missing.
std::filesystem::path PrepareOutputFolder(std::string_view outputFolder,
                                          const std::filesystem::path& executableFolder);

// Deletes a file when present; failures are ignored.
void DeleteIfPresent(const std::filesystem::path& file);

// Clean-up when the main window closes: the "xml" folder beside the executable goes only when
// it is empty, then the working files "resulta.txt", "resulta2.txt" and "captcha.png" are
// deleted. Every failure is ignored.
void CleanUpWorkingFiles(const std::filesystem::path& executableFolder);

}  // namespace app
