#include "tools/dfe/dfe_arguments.h"

#include <algorithm>

#include "nfe/access_key.h"
#include "nfe/states.h"
#include "text/ascii_case.h"
#include "text/integer.h"

namespace tools {

const std::string_view kDfeUsage =
    R"(Uso: vellora-dfe certificado [--senha-arquivo ARQUIVO] A1.pfx
     vellora-dfe chave [-o PASTA] --certificado A1.pfx [OPÇÕES] [--chaves ARQUIVO] CHAVE...
     vellora-dfe novos [-o PASTA] --certificado A1.pfx [OPÇÕES] [--desde-nsu N | --pendentes]
     vellora-dfe ciencia [-o PASTA] --certificado A1.pfx [OPÇÕES] [--sim] CHAVE...)";

const std::string_view kDfeHelp = R"(Uso: vellora-dfe certificado [--senha-arquivo ARQUIVO] A1.pfx
     vellora-dfe chave [-o PASTA] --certificado A1.pfx [OPÇÕES] [--chaves ARQUIVO] CHAVE...
     vellora-dfe novos [-o PASTA] --certificado A1.pfx [OPÇÕES] [--desde-nsu N | --pendentes]
     vellora-dfe ciencia [-o PASTA] --certificado A1.pfx [OPÇÕES] [--sim] CHAVE...

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
  --certificado A1.pfx   o certificado A1 da empresa (chave e novos)
  -o, --output PASTA     pasta dos arquivos, criada quando não existe (padrão: a atual); um
                         arquivo de mesmo nome é substituído
  --chaves ARQUIVO       chaves lidas de um arquivo, uma por linha; linhas em branco e
                         comentários começados por # são ignorados
  --desde-nsu N          recomeça os documentos novos depois do NSU N (novos); recusado
                         abaixo do último NSU que o serviço já deu para o CNPJ, porque o
                         serviço bloquearia o CNPJ por uma hora (656)
  --pendentes            lista os NSUs pendentes, sem consultar nada (novos)
  --ciencia              registra a Ciência da Operação das chaves que vierem só com o
                         resumo e as consulta de novo (chave)
  --sim                  confirma o registro da Ciência sem perguntar no terminal
  --homologacao          usa o ambiente de homologação (testes) em vez do de produção
  --uf CÓDIGO            a UF de quem consulta (cUFAutor), como código IBGE (35) ou sigla (SP)
  --ca ARQUIVO           autoridades certificadoras (PEM) aceitas além das do sistema para o
                         certificado do servidor; o servidor é sempre verificado
  --senha-arquivo ARQ    lê a senha do certificado da primeira linha de ARQ
  --empresa CNPJ         usa o certificado, a senha e a pasta de uma empresa cadastrada
                         (vellora-dfe empresas); os arquivos vão para
                         PASTA/CNPJ/AAAA-MM/, a não ser com -o
  --catalogo ARQUIVO     o catálogo (padrão: $VELLORA_CATALOGO ou
                         $XDG_DATA_HOME/vellora/vellora.sqlite), onde cada documento gravado
                         é registrado
  -h, --help             mostra esta ajuda
  --version              mostra a versão do programa

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

namespace {

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

// Options with a value, and the commands each belongs to ("" for all three).
struct ValueOption {
    std::string_view name;
    std::string_view commands;
};
constexpr ValueOption kValueOptions[] = {
    {"-o", "chave novos ciencia"},
    {"--output", "chave novos ciencia"},
    {"--certificado", "chave novos ciencia"},
    {"--chaves", "chave ciencia"},
    {"--desde-nsu", "novos"},
    {"--uf", "chave novos"},
    {"--ca", "chave novos ciencia"},
    {"--senha-arquivo", ""},
    {"--empresa", "chave novos ciencia"},
    {"--catalogo", "chave novos ciencia"},
};

std::string_view CommandName(DfeArguments::Command command) {
    switch (command) {
        case DfeArguments::Command::certificate:
            return "certificado";
        case DfeArguments::Command::keys:
            return "chave";
        case DfeArguments::Command::newDocuments:
            return "novos";
        case DfeArguments::Command::ciencia:
            return "ciencia";
        case DfeArguments::Command::manifest:
            return "manifestar";
    }
    return "";
}

}  // namespace

DfeArguments ParseDfeArguments(const std::vector<std::string>& arguments) {
    const auto end = std::find(arguments.begin(), arguments.end(), "--");
    DfeArguments parsed;
    if (std::any_of(arguments.begin(), end,
                    [](const std::string& a) { return a == "-h" || a == "--help"; })) {
        parsed.help = true;
        return parsed;
    }
    if (std::find(arguments.begin(), end, "--version") != end) {
        parsed.version = true;
        return parsed;
    }
    if (arguments.empty()) {
        throw DfeUsageError("falta o comando: certificado, chave, novos ou ciencia");
    }
    const std::string& command = arguments.front();
    if (command == "certificado") {
        parsed.command = DfeArguments::Command::certificate;
    } else if (command == "chave") {
        parsed.command = DfeArguments::Command::keys;
    } else if (command == "novos") {
        parsed.command = DfeArguments::Command::newDocuments;
    } else if (command == "ciencia") {
        parsed.command = DfeArguments::Command::ciencia;
    } else {
        throw DfeUsageError("comando desconhecido: " + command);
    }
    const std::string_view commandName = CommandName(parsed.command);

    std::vector<std::string> positional;
    bool optionsEnded = false;
    bool folderGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument.front() != '-') {
            positional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--homologacao") {
            if (parsed.command == DfeArguments::Command::certificate) {
                throw DfeUsageError("--homologacao não se aplica ao comando certificado");
            }
            parsed.homologation = true;
            continue;
        }
        if (argument == "--pendentes") {
            if (parsed.command != DfeArguments::Command::newDocuments) {
                throw DfeUsageError("--pendentes só se aplica ao comando novos");
            }
            parsed.pendingOnly = true;
            continue;
        }
        if (argument == "--ciencia" || argument == "--sim") {
            const bool applies =
                parsed.command == DfeArguments::Command::keys ||
                (argument == "--sim" && parsed.command == DfeArguments::Command::ciencia);
            if (!applies) {
                throw DfeUsageError(argument + " não se aplica ao comando " +
                                    std::string(commandName));
            }
            (argument == "--sim" ? parsed.confirmed : parsed.ciencia) = true;
            continue;
        }

        std::string name = argument;
        std::optional<std::string> value;
        if (const std::size_t equals = argument.find('=');
            argument.starts_with("--") && equals != std::string::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        } else if (argument.starts_with("-o") && argument.size() > 2) {
            name = "-o";
            value = argument.substr(2);
        }
        const auto option = std::find_if(std::begin(kValueOptions), std::end(kValueOptions),
                                         [&](const ValueOption& o) { return o.name == name; });
        if (option == std::end(kValueOptions)) {
            throw DfeUsageError("opção desconhecida: " + argument);
        }
        if (!option->commands.empty() && option->commands.find(commandName) == std::string::npos) {
            throw DfeUsageError(name + " não se aplica ao comando " + std::string(commandName));
        }
        if (!value) {
            if (i + 1 == arguments.size()) {
                throw DfeUsageError("falta o valor depois de " + name);
            }
            value = arguments[++i];
        }
        if (value->empty()) {
            throw DfeUsageError("o valor de " + name + " está vazio");
        }

        const auto once = [&](bool given) {
            if (given) {
                throw DfeUsageError(name + " foi dada mais de uma vez");
            }
        };
        if (name == "-o" || name == "--output") {
            once(folderGiven);
            folderGiven = true;
            parsed.outputFolder = *value;
            parsed.outputGiven = true;
        } else if (name == "--certificado") {
            once(!parsed.certificate.empty());
            parsed.certificate = *value;
        } else if (name == "--chaves") {
            once(!parsed.keysFile.empty());
            parsed.keysFile = *value;
        } else if (name == "--desde-nsu") {
            once(parsed.fromNsu.has_value());
            parsed.fromNsu = Nsu(*value);
        } else if (name == "--uf") {
            once(parsed.authorState.has_value());
            parsed.authorState = StateCode(*value);
            if (!parsed.authorState) {
                throw DfeUsageError("--uf pede o código IBGE ou a sigla de uma UF, não \"" +
                                    *value + "\"");
            }
        } else if (name == "--empresa") {
            once(!parsed.company.empty());
            parsed.company = *value;
        } else if (name == "--catalogo") {
            once(!parsed.catalogFile.empty());
            parsed.catalogFile = *value;
        } else if (name == "--ca") {
            parsed.authorities.push_back(*value);
        } else {
            once(!parsed.passwordFile.empty());
            parsed.passwordFile = *value;
        }
    }

    switch (parsed.command) {
        case DfeArguments::Command::certificate:
            if (positional.size() != 1) {
                throw DfeUsageError("o comando certificado pede um arquivo A1 (.pfx)");
            }
            parsed.certificate = positional.front();
            break;
        case DfeArguments::Command::keys:
        case DfeArguments::Command::ciencia:
        case DfeArguments::Command::manifest:
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
