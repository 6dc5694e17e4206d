#include "tools/dfe/dfe_options.h"

#include <algorithm>
#include <iterator>

namespace tools {
namespace {

// The catalogue's options (--pasta and those after it) are explained in the usage lines of
// its commands' help, not in option lines.
constexpr Option kOptions[] = {
    {.longName = "--certificado",
     .value = "A1.pfx",
     .help = "o certificado A1 da empresa, ou o A3 num token por um\n"
             "endereço pkcs11:token=…;object=…",
     .commands = "chave novos ciencia manifestar empresas"},
    {.longName = "--modulo-pkcs11",
     .value = "ARQUIVO.so",
     .help = "o módulo PKCS#11 do fabricante do token (padrão:\n"
             "$VELLORA_PKCS11_MODULE ou p11-kit-proxy.so, que carrega os\n"
             "módulos registrados no sistema)",
     .commands = "certificado chave novos ciencia manifestar empresas"},
    {.longName = "--output",
     .shortName = "-o",
     .value = "PASTA",
     .help = "pasta dos arquivos, criada quando não existe (padrão: a atual); um\n"
             "arquivo de mesmo nome é substituído",
     .commands = "chave novos ciencia manifestar"},
    {.longName = "--chaves",
     .value = "ARQUIVO",
     .help = "chaves lidas de um arquivo, uma por linha; linhas em branco e\n"
             "comentários começados por # são ignorados",
     .commands = "chave ciencia manifestar"},
    {.longName = "--desde-nsu",
     .value = "N",
     .help = "recomeça os documentos novos depois do NSU N (novos); recusado\n"
             "abaixo do último NSU que o serviço já deu para o CNPJ, porque o\n"
             "serviço bloquearia o CNPJ por uma hora (656)",
     .commands = "novos"},
    {.longName = "--pendentes",
     .help = "lista os NSUs pendentes, sem consultar nada (novos)",
     .commands = "novos"},
    {.longName = "--ciencia",
     .help = "registra a Ciência da Operação das chaves que vierem só com o\n"
             "resumo e as consulta de novo (chave)",
     .commands = "chave"},
    {.longName = "--sim",
     .help = "confirma o registro da Ciência ou da manifestação sem perguntar no\n"
             "terminal",
     .commands = "chave ciencia manifestar"},
    {.longName = "--evento",
     .value = "EVENTO",
     .help = "a manifestação (manifestar): ciencia (210210), confirmacao (210200),\n"
             "desconhecimento (210220) ou nao-realizada (210240)",
     .commands = "manifestar"},
    {.longName = "--justificativa",
     .value = "TEXTO",
     .help = "por que a operação não se realizou, de 15 a 255 caracteres\n"
             "(obrigatória com nao-realizada, recusada com as outras)",
     .commands = "manifestar"},
    {.longName = "--homologacao",
     .help = "usa o ambiente de homologação (testes) em vez do de produção",
     .commands = "chave novos ciencia manifestar empresas"},
    {.longName = "--uf",
     .value = "CÓDIGO",
     .help = "a UF de quem consulta (cUFAutor), como código IBGE (35) ou sigla (SP)",
     .commands = "chave novos"},
    {.longName = "--ca",
     .value = "ARQUIVO",
     .help = "autoridades certificadoras (PEM) aceitas além das do sistema para o\n"
             "certificado do servidor; o servidor é sempre verificado",
     .repeatable = true,
     .commands = "chave novos ciencia manifestar sincronizar"},
    {.longName = "--senha-arquivo",
     .value = "ARQ",
     .help = "lê a senha do certificado da primeira linha de ARQ",
     .commands = "certificado chave novos ciencia manifestar empresas"},
    {.longName = "--empresa",
     .value = "CNPJ",
     .help = "usa o certificado, a senha e a pasta de uma empresa cadastrada\n"
             "(vellora-dfe empresas); os arquivos vão para\n"
             "PASTA/CNPJ/AAAA-MM/, a não ser com -o",
     .commands = "chave novos ciencia manifestar notas"},
    {.longName = "--catalogo",
     .value = "ARQUIVO",
     .help = "o catálogo (padrão: $VELLORA_CATALOGO ou\n"
             "$XDG_DATA_HOME/vellora/vellora.sqlite), onde cada documento gravado\n"
             "é registrado",
     .commands = "chave novos ciencia manifestar empresas notas sincronizar"},
    {.longName = "--help", .shortName = "-h", .help = "mostra esta ajuda"},
    {.longName = "--version", .help = "mostra a versão do programa"},
    {.longName = "--pasta", .value = "PASTA", .commands = "empresas"},
    {.longName = "--de", .value = "AAAA-MM-DD", .commands = "notas"},
    {.longName = "--ate", .value = "AAAA-MM-DD", .commands = "notas"},
    {.longName = "--emitente", .value = "TEXTO", .commands = "notas"},
    {.longName = "--situacao", .value = "SITUAÇÃO", .commands = "notas"},
    {.longName = "--resumos", .commands = "notas"},
    {.longName = "--csv", .commands = "notas"},
};

constexpr std::size_t kExplanationColumn = 25;

// vellora-dfe has always worded these faults so.
const FaultWording kWording{
    .emptyValue =
        [](const Option&, std::string_view written) {
            return "o valor de " + std::string(written) + " está vazio";
        },
    .givenTwice =
        [](const Option&, std::string_view written) {
            return std::string(written) + " foi dada mais de uma vez";
        },
    .valueOnSwitch =
        [](std::string_view written) { return std::string(written) + " não recebe valor"; },
};

}  // namespace

ParsedOptions ParseDfeOptions(std::string_view command, const std::vector<std::string>& arguments) {
    return ParseOptions(kOptions, arguments, command, kWording);
}

std::string DfeOptionLines(std::initializer_list<std::string_view> commands) {
    std::vector<Option> shown;
    std::copy_if(std::begin(kOptions), std::end(kOptions), std::back_inserter(shown),
                 [&](const Option& option) {
                     return option.commands.empty() ||
                            std::any_of(commands.begin(), commands.end(),
                                        [&](std::string_view command) {
                                            return TakesOption(command, option);
                                        });
                 });
    return OptionLines(shown, kExplanationColumn);
}

}  // namespace tools
