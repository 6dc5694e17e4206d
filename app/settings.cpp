#include "app/settings.h"

#include <charconv>
#include <string>
#include <vector>

#include "app/profile_file.h"
#include "app/scrambling.h"

namespace app {

namespace {

struct Chave {
    std::string_view nome;
    int Opcoes::*campo;
};

constexpr Chave kChaves[] = {{"fcon", &Opcoes::fcon},
                             {"ccer", &Opcoes::ccer},
                             {"scer", &Opcoes::scer},
                             {"idan", &Opcoes::idan},
                             {"echa", &Opcoes::echa}};

}  // namespace

int TextoParaInteiro(std::string_view text) {
    const bool signed_ = text.starts_with('+') || text.starts_with('-');
    const std::string_view digits = signed_ ? text.substr(1) : text;
    // from_chars takes a "-" but not a "+".
    const std::string_view number = text.starts_with('+') ? digits : text;
    if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos) {
        int value = 0;
        const auto* end = number.data() + number.size();
        const auto [ptr, error] = std::from_chars(number.data(), end, value);
        if (error == std::errc() && ptr == end) {
            return value;
        }
    }
    throw ErroDeConversao("'" + std::string(text) + "' não é um valor inteiro válido.");
}

int LerOpcao(const std::filesystem::path& file, std::string_view key) {
    const auto stored = LerValorPerfil(file, kSecaoConfiguracao, key, "");
    return TextoParaInteiro(ValorDaFormaArmazenada(stored));
}

void LerOpcoes(const std::filesystem::path& file, Opcoes& into) {
    for (const auto& chave : kChaves) {
        into.*chave.campo = LerOpcao(file, chave.nome);
    }
}

void GravarOpcoes(const std::filesystem::path& file, const Opcoes& options) {
    std::vector<ProfileEntry> entries;
    for (const auto& chave : kChaves) {
        entries.push_back({chave.nome, FormaArmazenada(std::to_string(options.*chave.campo))});
    }
    WriteProfileValues(file, kSecaoConfiguracao, entries);
}

}  // namespace app
