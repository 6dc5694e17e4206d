#include "app/command_line.h"

#include "text/trim.h"
#include "text/windows1252.h"
#include "vellora/version.h"

namespace app {

namespace {

std::size_t CountCharacters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t position = 0; position < text.size(); ++count) {
        text::DecodeUtf8(text, position);
    }
    return count;
}

constexpr std::string_view kHelp =
    R"(Uso: vellora QUALQUER CHAVE [PASTA]
     vellora --help | --version

Recupera o XML de uma NF-e pela chave de acesso: com o certificado da empresa configurado,
no serviço de distribuição do Ambiente Nacional; sem ele, ou quando o serviço não o entrega,
na consulta completa do portal nacional da NF-e, em que a pessoa digita os caracteres da
imagem de segurança. A NF-e é gravada como "CHAVE-nfe.xml" e o programa termina. Um
clique com o botão direito abre a configuração.

  QUALQUER           o primeiro argumento, que o programa não usa (quem o chama passa
                     qualquer texto)
  CHAVE              a chave de acesso da NF-e, 44 dígitos
  PASTA              pasta dos arquivos gravados (padrão: a pasta "xml" ao lado do
                     programa; numa instalação em que a pasta do programa não pode ser
                     escrita, $XDG_DATA_HOME/vellora/xml/)
  -h, --help         mostra esta ajuda
  --version          mostra a versão do programa

A configuração (cfg.dclrc) fica ao lado do programa; numa instalação em que a pasta do
programa não pode ser escrita, em $XDG_CONFIG_HOME/vellora/.
)";

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

std::optional<std::string> InformationAsked(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) {
        return std::nullopt;
    }
    if (arguments[1] == "--help" || arguments[1] == "-h") {
        return std::string(kHelp);
    }
    if (arguments[1] == "--version") {
        return "vellora " + std::string(kVelloraVersion) + "\n";
    }
    return std::nullopt;
}

}  // namespace app
