#include "tools/dfe/dfe_arguments.h"

#include <algorithm>
#include <iterator>

#include "nfe/access_key.h"
#include "nfe/states.h"
#include "text/ascii_case.h"
#include "text/integer.h"
#include "tools/dfe/dfe_options.h"
#include "vellora/version.h"

namespace tools {

namespace {

constexpr std::string_view kBeforeOptions = R"(

Obtém o XML assinado das NF-e de que a empresa é parte (destinatária, transportadora ou
autorizada) no serviço de distribuição do Ambiente Nacional (NFeDistribuicaoDFe), com o
certificado digital A1 da empresa (arquivo .pfx ou .p12 e a sua senha).

Comandos:
  certificado A1.pfx  lê o certificado e mostra titular, CNPJ (ou CPF), emissor e validade
  chave CHAVE...      consulta cada chave de acesso (44 caracteres, espaços permitidos); a NF-e
                      completa é gravada como CHAVE-procNFe.xml; quando o serviço dá só o
                      resumo (o destinatário ainda não registrou a Ciência da Operação), ele
                      é gravado como CHAVE-resNFe.xml; eventos (cancelamento e outros) como
                      CHAVE-TPEVENTO-SEQ-procEventoNFe.xml (ou -resEvento.xml)
  novos               tudo o que chegou para o CNPJ do certificado desde o último NSU visto,
                      que fica guardado por CNPJ em $XDG_DATA_HOME/vellora/dfe/
  ciencia CHAVE...    registra a Ciência da Operação (evento 210210) do destinatário para
                      cada chave; o evento registrado é gravado como
                      CHAVE-210210-01-procEventoNFe.xml

Opções:
)";

constexpr std::string_view kAfterOptions = R"(
A senha nunca vai na linha de comando: vem de --senha-arquivo, da variável
VELLORA_CERT_PASSWORD, do cofre de senhas do sistema (onde vellora-dfe empresas adicionar
e o programa de desktop a guardam) ou, sem eles, é pedida no terminal sem eco.

A Ciência da Operação é um ato da empresa perante o fisco: o destinatário declara que tem
conhecimento da operação da NF-e. Por isso o programa pede confirmação no terminal antes de
registrá-la, a não ser com --sim; sem terminal e sem --sim, ele se recusa (código 2).

Limites de uso do serviço, que o programa respeita e guarda por CNPJ base: no máximo 20
consultas por chave por hora; depois de "nenhum documento" (137), ou quando o último NSU
chega ao maior, nenhuma consulta de novos por uma hora; depois de "consumo indevido" (656),
nenhuma consulta por uma hora. Uma consulta que o serviço bloquearia não é enviada: o
programa diz até quando esperar. As consultas vão uma depois da outra, nunca em paralelo.

Um documento de novos que não pode ser lido ou gravado não faz o NSU voltar: ele é guardado
como veio em NSU-<NSU>.docZip.txt, fica pendente e é pedido de novo (consNSU) no início da
próxima execução; as outras continuam, e o código de saída é 1.

Os caminhos dos arquivos gravados vão para a saída padrão; mensagens e andamento, para a
saída de erros, com o código (cStat) e o motivo (xMotivo) do serviço como vieram.

Código de saída: 0 quando tudo foi entregue (cada chave com a NF-e completa); 1 quando
alguma chave ou consulta falhou ou trouxe só o resumo; 2 quando a linha de comando está
errada; 3 quando um limite de uso mandou esperar.

Empresas, sincronização e notas: vellora-dfe empresas --help, vellora-dfe sincronizar
--help, vellora-dfe notas --help.

Variável VELLORA_DFE_URL: outro endereço https:// para o serviço (um serviço de teste).

Exemplos:
  vellora-dfe certificado empresa.pfx
  vellora-dfe chave -o notas --certificado empresa.pfx 35150761024385000111550010000001011102030405
  vellora-dfe novos -o notas --certificado empresa.pfx
  vellora-dfe chave --ciencia -o notas --certificado empresa.pfx 35150761024385000111550010000001011102030405
)";

std::optional<int> StateCode(std::string_view text) {
    if (const std::optional<int> code = text::ParseInteger<int>(text)) {
        return nfe::IsKnownUFCode(*code) ? code : std::nullopt;
    }
    const std::string upper = text::AsciiUpperCase(text);
    for (int candidate = 11; candidate <= 53; ++candidate) {
        if (nfe::IsKnownUFCode(candidate) && nfe::StateAbbreviation(candidate) == upper) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::uint64_t Nsu(std::string_view text) {
    const std::optional<std::uint64_t> value = text::ParseInteger<std::uint64_t>(text);
    if (!value || text.size() > 15) {
        throw DfeUsageError("--desde-nsu pede um número de até 15 dígitos, não \"" +
                            std::string(text) + "\"");
    }
    return *value;
}

struct CommandEntry {
    std::string_view name;
    DfeArguments::Command command;
    std::string_view synopsis;  // what follows the command in the usage line
};
constexpr CommandEntry kCommands[] = {
    {"certificado", DfeArguments::Command::certificate, "[--senha-arquivo ARQUIVO] A1.pfx"},
    {"chave", DfeArguments::Command::keys,
     "[-o PASTA] --certificado A1.pfx [OPÇÕES] [--chaves ARQUIVO] CHAVE..."},
    {"novos", DfeArguments::Command::newDocuments,
     "[-o PASTA] --certificado A1.pfx [OPÇÕES] [--desde-nsu N | --pendentes]"},
    {"ciencia", DfeArguments::Command::ciencia,
     "[-o PASTA] --certificado A1.pfx [OPÇÕES] [--sim] CHAVE..."},
};

}  // namespace

std::string DfeUsage() {
    std::string usage;
    for (const CommandEntry& entry : kCommands) {
        usage += std::string(usage.empty() ? "Uso: " : "\n     ") + "vellora-dfe " +
                 std::string(entry.name) + " " + std::string(entry.synopsis);
    }
    return usage;
}

std::string DfeHelp() {
    return DfeUsage() + std::string(kBeforeOptions) +
           DfeOptionLines({"certificado", "chave", "novos", "ciencia"}) +
           std::string(kAfterOptions);
}

std::string DfeVersionLine() {
    return "vellora-dfe " + std::string(kVelloraVersion) + "\n";
}

DfeArguments ParseDfeArguments(const std::vector<std::string>& arguments) {
    DfeArguments parsed;
    if (AnyBeforeEnd(arguments, {"-h", "--help"})) {
        parsed.help = true;
        return parsed;
    }
    if (AnyBeforeEnd(arguments, {"--version"})) {
        parsed.version = true;
        return parsed;
    }
    if (arguments.empty()) {
        throw DfeUsageError("falta o comando: certificado, chave, novos ou ciencia");
    }
    const std::string& command = arguments.front();
    const auto known =
        std::find_if(std::begin(kCommands), std::end(kCommands),
                     [&](const CommandEntry& entry) { return entry.name == command; });
    if (known == std::end(kCommands)) {
        throw DfeUsageError("comando desconhecido: " + command);
    }
    parsed.command = known->command;

    const ParsedOptions options =
        ParseDfeOptions(command, std::vector<std::string>(arguments.begin() + 1, arguments.end()));
    std::vector<std::string> positional = options.operands;
    parsed.outputGiven = options.Has("--output");
    parsed.outputFolder = options.Value("--output").value_or(".");
    parsed.certificate = options.Value("--certificado").value_or("");
    parsed.keysFile = options.Value("--chaves").value_or("");
    if (const std::optional<std::string> nsu = options.Value("--desde-nsu")) {
        parsed.fromNsu = Nsu(*nsu);
    }
    if (const std::optional<std::string> state = options.Value("--uf")) {
        parsed.authorState = StateCode(*state);
        if (!parsed.authorState) {
            throw DfeUsageError("--uf pede o código IBGE ou a sigla de uma UF, não \"" + *state +
                                "\"");
        }
    }
    parsed.authorities = options.Values("--ca");
    parsed.passwordFile = options.Value("--senha-arquivo").value_or("");
    parsed.company = options.Value("--empresa").value_or("");
    parsed.catalogFile = options.Value("--catalogo").value_or("");
    parsed.homologation = options.Has("--homologacao");
    parsed.pendingOnly = options.Has("--pendentes");
    parsed.ciencia = options.Has("--ciencia");
    parsed.confirmed = options.Has("--sim");

    switch (parsed.command) {
        case DfeArguments::Command::certificate:
            if (positional.size() != 1) {
                throw DfeUsageError("o comando certificado pede um arquivo A1 (.pfx)");
            }
            parsed.certificate = positional.front();
            break;
        case DfeArguments::Command::keys:
        case DfeArguments::Command::ciencia:
            parsed.keys = std::move(positional);
            if (parsed.keys.empty() && parsed.keysFile.empty()) {
                throw DfeUsageError("nenhuma chave foi dada");
            }
            break;
        case DfeArguments::Command::newDocuments:
            if (!positional.empty()) {
                throw DfeUsageError("o comando novos não recebe argumentos: " + positional.front());
            }
            break;
    }
    if (parsed.command != DfeArguments::Command::certificate && parsed.certificate.empty() &&
        parsed.company.empty()) {
        throw DfeUsageError("falta --certificado A1.pfx (ou --empresa CNPJ)");
    }
    if (parsed.pendingOnly && parsed.fromNsu) {
        throw DfeUsageError("--pendentes só lista: não se combina com --desde-nsu");
    }
    if (parsed.confirmed && parsed.command == DfeArguments::Command::keys && !parsed.ciencia) {
        throw DfeUsageError("--sim só confirma a Ciência da Operação: use-o com --ciencia");
    }
    return parsed;
}

}  // namespace tools
