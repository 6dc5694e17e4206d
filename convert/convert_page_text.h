#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace convert {

struct ConversionSettings {
    // The output folder as the command line gave it (UTF-8); empty means the folder "xml"
    // beside the executable, created when missing.
    std::string outputFolder;
    std::filesystem::path executableFolder;
    // Lets the desktop program handle its pending window events at a few points of a long
    // conversion; nothing elsewhere.
    std::function<void()> processPendingEvents = [] {};
    // Shows the message that stops the conversion of a page in the old layout 1.10.
    std::function<void(const std::string& message)> showMessage = [](const std::string&) {};
    // Tells, without stopping the conversion, where the file differs from what the page says:
    // a page of a layout newer than 3.10 is written in layout 3.10.
    std::function<void(const std::string& notice)> showNotice = [](const std::string&) {};
};

// The page showed an invoice in layout 1.10: its message has been shown and no file written.
class OldLayoutAborted : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Converts the captured page lines (Windows-1252, lines separated by CR LF) into the
// invoice's XML file "KEY-nfe.xml" and returns the file's full path. Throws on any failure:
// OldLayoutAborted for a page in layout 1.10, std::exception with a clear message otherwise.
std::filesystem::path ConvertPageText(std::string_view pageLines,
                                      const ConversionSettings& settings);

}  // namespace convert
