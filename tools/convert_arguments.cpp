#include "tools/convert_arguments.h"

#include <algorithm>
#include <optional>

namespace tools {

const std::string_view kConvertUsage = "Uso: vellora-convert [--lines] [-o PASTA] PÁGINA...";

const std::string_view kConvertHelp = R"(Uso: vellora-convert [--lines] [-o PASTA] PÁGINA...

Converte páginas de impressão da consulta completa da NF-e em arquivos XML da NF-e com o
nome "CHAVE-nfe.xml".

  PÁGINA             a página de impressão salva pelo navegador (.html ou .htm), lida pelo
                     conjunto de caracteres que declara (UTF-8 quando não declara nenhum) e
                     capturada como o programa captura a página do portal; ou um arquivo
                     com as linhas da página já capturadas, uma por linha: UTF-8, ou
                     Windows-1252 quando não for UTF-8 válido; linhas separadas por CR LF ou LF
  -o, --output PASTA pasta que recebe os arquivos, criada quando não existe (padrão: a
                     pasta atual); um arquivo de mesmo nome é substituído
  --lines            em vez de converter, mostra as linhas de cada página (em UTF-8), o
                     texto que a conversão lê; com mais de uma página, cada uma vem depois
                     de uma linha "==> PÁGINA <=="
  -h, --help         mostra esta ajuda
  --                 os argumentos seguintes são páginas, mesmo quando começam com "-"

Para cada página convertida, o caminho do arquivo gravado vai para a saída padrão. Uma
página que falha escreve "Erro ao importar a NF-e." e o motivo na saída de erros, e as
demais páginas seguem. Com mais de 10 páginas, o andamento vai para a saída de erros.

Código de saída: 0 quando todas as páginas foram convertidas, 1 quando alguma falhou,
2 quando a linha de comando está errada.

Exemplos:
  vellora-convert -o notas pagina1.txt nota.html
  vellora-convert --lines nota.html
)";

ConvertArguments ParseConvertArguments(const std::vector<std::string>& arguments) {
    const auto end = std::find(arguments.begin(), arguments.end(), "--");
    if (std::any_of(arguments.begin(), end,
                    [](const std::string& a) { return a == "-h" || a == "--help"; })) {
        ConvertArguments help;
        help.help = true;
        return help;
    }

    ConvertArguments parsed;
    std::optional<std::string> folder;
    const auto setFolder = [&folder](std::string value) {
        if (folder) {
            throw UsageError("a pasta de saída foi dada mais de uma vez");
        }
        if (value.empty()) {
            throw UsageError("a pasta de saída está vazia");
        }
        folder = std::move(value);
    };

    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument.front() != '-') {
            parsed.pages.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--lines") {
            parsed.lines = true;
        } else if (argument == "-o" || argument == "--output") {
            if (i + 1 == arguments.size()) {
                throw UsageError("falta a pasta depois de " + argument);
            }
            setFolder(arguments[++i]);
        } else if (argument.starts_with("--output=")) {
            setFolder(argument.substr(9));
        } else if (argument.starts_with("-o") && argument.size() > 2) {
            setFolder(argument.substr(2));
        } else {
            throw UsageError("opção desconhecida: " + argument);
        }
    }
    if (parsed.pages.empty()) {
        throw UsageError("nenhuma página foi dada");
    }
    if (folder) {
        parsed.outputFolder = *folder;
    }
    return parsed;
}

}  // namespace tools
