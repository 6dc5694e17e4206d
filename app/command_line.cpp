#include "app/command_line.h"

#include "text/trim.h"
#include "text/windows1252.h"

namespace app {

namespace {

std::size_t CountCharacters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t position = 0; position < text.size(); ++count) {
        text::DecodeUtf8(text, position);
    }
    return count;
}

std::string Argument(const std::vector<std::string>& arguments, std::size_t index) {
    return index < arguments.size() ? std::string(text::Trim(arguments[index])) : std::string();
}

}  // namespace

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
