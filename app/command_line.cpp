#include "app/command_line.h"

#include "nfe/windows1252.h"

namespace app {

namespace {

std::size_t CountCharacters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t position = 0; position < text.size(); ++count) {
        nfe::DecodeUtf8(text, position);
    }
    return count;
}

std::string Argument(const std::vector<std::string>& arguments, std::size_t index) {
    return index < arguments.size() ? TrimControls(arguments[index]) : std::string();
}

}  // namespace

std::string TrimControls(std::string_view text) {
    auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isControl(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine result;
    auto key = Argument(arguments, 2);
    if (CountCharacters(key) == 44) {
        result.key = std::move(key);
    }
    result.outputFolder = Argument(arguments, 3);
    return result;
}

}  // namespace app
