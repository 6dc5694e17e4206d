#include "tools/convert_arguments.h"

#include "tools/option_table.h"

namespace tools {

namespace {

constexpr Option kOptions[] = {
    {"--output", "-o", "PASTA",
     "pasta que recebe os arquivos, criada quando não existe (padrão: a\n"
     "pasta atual); um arquivo de mesmo nome é substituído",
     "a pasta de saída"},
    {"--lines", "", "",
     "em vez de converter, mostra as linhas de cada página (em UTF-8), o\n"
     "texto que a conversão lê; com mais de uma página, cada uma vem depois\n"
     "de uma linha \"==> PÁGINA <==\""},
    {"--help", "-h", "", "mostra esta ajuda"},
    {"--version", "", "", "mostra a versão do programa"},
};

constexpr std::string_view kPages =
    R"(  PÁGINA             a página de impressão salva pelo navegador (.html ou .htm), lida pelo
                     conjunto de caracteres que declara (UTF-8 quando não declara nenhum) e
                     capturada como o programa captura a página do portal; ou um arquivo
                     com as linhas da página já capturadas, uma por linha: UTF-8, ou
                     Windows-1252 quando não for UTF-8 válido; linhas separadas por CR LF ou LF
)";

constexpr std::string_view kAfterOptions =
    R"(  --                 os argumentos seguintes são páginas, mesmo quando começam com "-"

Para cada página convertida, o caminho do arquivo gravado vai para a saída padrão. Uma
página que falha escreve "Erro ao importar a NF-e." e o motivo na saída de erros, e as
demais páginas seguem. Com mais de 10 páginas, o andamento vai para a saída de erros.

Código de saída: 0 quando todas as páginas foram convertidas, 1 quando alguma falhou,
2 quando a linha de comando está errada.

Exemplos:
  vellora-convert -o notas pagina1.txt nota.html
  vellora-convert --lines nota.html
)";

}  // namespace

const std::string_view kConvertUsage = "Uso: vellora-convert [--lines] [-o PASTA] PÁGINA...";

std::string ConvertHelp() {
    return std::string(kConvertUsage) +
           "\n\nConverte páginas de impressão da consulta completa da NF-e em arquivos XML "
           "da NF-e com o\nnome \"CHAVE-nfe.xml\".\n\n" +
           std::string(kPages) + OptionLines(kOptions) + std::string(kAfterOptions);
}

ConvertArguments ParseConvertArguments(const std::vector<std::string>& arguments) {
    ConvertArguments parsed;
    if (AnyBeforeEnd(arguments, {"-h", "--help"})) {
        parsed.help = true;
        return parsed;
    }
    if (AnyBeforeEnd(arguments, {"--version"})) {
        parsed.version = true;
        return parsed;
    }
    const ParsedOptions options = ParseOptions(kOptions, arguments);
    parsed.pages = options.operands;
    parsed.lines = options.Has("--lines");
    parsed.outputFolder = options.Value("--output").value_or(".");
    if (parsed.pages.empty()) {
        throw UsageError("nenhuma página foi dada");
    }
    return parsed;
}

}  // namespace tools
