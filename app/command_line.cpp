#include "app/command_line.h"

#include "text/windows1252.h"

namespace app {

namespace {

std::size_t ContarCaracteres(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t position = 0; position < text.size(); ++count) {
        text::DecodeUtf8(text, position);
    }
    return count;
}

std::string Argumento(const std::vector<std::string>& arguments, std::size_t index) {
    return index < arguments.size() ? ApararControles(arguments[index]) : std::string();
}

}  // namespace

std::string ApararControles(std::string_view text) {
    auto isControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!text.empty() && isControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isControl(text.back())) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

LinhaDeComando InterpretarLinhaDeComando(const std::vector<std::string>& arguments) {
    LinhaDeComando result;
    auto key = Argumento(arguments, 2);
    if (ContarCaracteres(key) == 44) {
        result.chave = std::move(key);
    }
    result.pastaSaida = Argumento(arguments, 3);
    return result;
}

}  // namespace app
