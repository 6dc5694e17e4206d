#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace app {

// "cfg.dclrc" beside the executable: section "VELLORA" with the five yes/no options, each 0
// ("Sim") or 1 ("Não"), stored scrambled.
inline constexpr std::string_view kArquivoConfiguracao = "cfg.dclrc";
inline constexpr std::string_view kSecaoConfiguracao = "VELLORA";

struct Opcoes {
    int fcon = 0;  // "Fechar ao Concluir": close after a certificate download
    int ccer = 0;  // "Com Cert.": offer "Download (*)"
    int scer = 0;  // "Sem Cert.": offer "Download"
    int idan = 0;  // "Imprimir Danfe": enable the hidden "Gerar Danfe"
    int echa = 0;  // "Editar Chave": the key box may be edited
};

// A value that is missing or does not decode to a decimal integer.
class ErroDeConversao : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The strict decimal conversion: an optional sign and digits, nothing else, within int range.
int TextoParaInteiro(std::string_view text);

int LerOpcao(const std::filesystem::path& file, std::string_view key);

// Reads fcon, ccer, scer, idan, echa in this order straight into `into`, so that on an
// ErroDeConversao the keys read before the bad one keep their new values.
void LerOpcoes(const std::filesystem::path& file, Opcoes& into);

// Writes the five keys in the same order, replacing the file in one step; throws
// std::runtime_error when the file cannot be written.
void GravarOpcoes(const std::filesystem::path& file, const Opcoes& options);

}  // namespace app
