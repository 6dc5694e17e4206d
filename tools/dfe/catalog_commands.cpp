#include "tools/dfe/catalog_commands.h"

#include <algorithm>
#include <ostream>

#include "catalog/error.h"
#include "tools/dfe/catalog_route.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/dfe_options.h"
#include "tools/dfe/printable.h"
#include "tools/dfe/route.h"

namespace tools {

const std::string_view kCatalogHelp =
    R"(Uso: vellora-dfe empresas [--catalogo ARQUIVO]
     vellora-dfe empresas adicionar --certificado A1.pfx [--pasta PASTA] [--homologacao]
                                    [--senha-arquivo ARQUIVO]
     vellora-dfe empresas adicionar --certificado pkcs11:… [--modulo-pkcs11 ARQUIVO.so]
                                    [--pasta PASTA] [--homologacao]
     vellora-dfe empresas remover CNPJ
     vellora-dfe sincronizar [--ca ARQUIVO] [CNPJ...]
     vellora-dfe notas [--empresa CNPJ] [--de AAAA-MM-DD] [--ate AAAA-MM-DD]
                       [--emitente TEXTO] [--situacao autorizada|cancelada|denegada]
                       [--resumos] [--csv]
     vellora-dfe notas importar PASTA...

O catálogo ($XDG_DATA_HOME/vellora/vellora.sqlite, ou --catalogo, ou VELLORA_CATALOGO)
guarda as empresas atendidas e cada documento gravado (NF-e, resumos, eventos).

  empresas             lista as empresas com o titular, a validade do certificado e os
                       dias restantes (aviso a partir de 30 dias do vencimento), a pasta e
                       a última sincronização
  empresas adicionar   lê o certificado (a senha é conferida agora) e cadastra a empresa
                       pelo seu CNPJ; a senha vai para o cofre de senhas do sistema (Secret
                       Service) ou, num servidor sem ele, fica no arquivo de --senha-arquivo,
                       que só o dono pode ler (chmod 600); nunca no catálogo. O PIN de um
                       certificado A3 (pkcs11:…) não é guardado: cada comando o pede, no
                       terminal, por --senha-arquivo ou VELLORA_CERT_PASSWORD
  empresas remover     tira a empresa do catálogo (os arquivos ficam)
  sincronizar          para cada empresa (todas, ou as dadas), os documentos novos; uma linha
                       por empresa e um total. Código de saída: 0 todas consultadas, 3 alguma
                       teve de esperar, 1 alguma falhou
  notas                uma linha por NF-e, da mais nova para a mais antiga, com um total;
                       --resumos mostra só as que têm apenas o resumo; --csv escreve CSV
                       para planilhas (separador ;, vírgula decimal, UTF-8 com BOM)
  notas importar       registra os arquivos procNFe, nfeProc, resNFe e procEventoNFe das
                       pastas dadas (com as subpastas)

Os documentos de uma empresa vão para PASTA/CNPJ/AAAA-MM/ (PASTA padrão: ~/Vellora/notas).
)";

namespace {

bool IsDay(const std::string& text) {
    return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
           std::all_of(text.begin(), text.end(),
                       [](char c) { return c == '-' || (c >= '0' && c <= '9'); });
}

}  // namespace

bool IsCatalogCommand(const std::string& command) {
    return command == "empresas" || command == "notas" || command == "sincronizar";
}

CatalogArguments ParseCatalogArguments(const std::vector<std::string>& arguments) {
    CatalogArguments parsed;
    parsed.command = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (AnyBeforeEnd(rest, {"-h", "--help"})) {
        parsed.help = true;
        return parsed;
    }
    if (AnyBeforeEnd(rest, {"--version"})) {
        parsed.version = true;
        return parsed;
    }
    const ParsedOptions options = ParseDfeOptions(parsed.command, rest);
    parsed.operands = options.operands;
    if (!parsed.operands.empty() &&
        ((parsed.command == "empresas" &&
          (parsed.operands.front() == "adicionar" || parsed.operands.front() == "remover")) ||
         (parsed.command == "notas" && parsed.operands.front() == "importar"))) {
        parsed.action = parsed.operands.front();
        parsed.operands.erase(parsed.operands.begin());
    }
    parsed.catalogFile = options.Value("--catalogo").value_or("");
    parsed.certificate = options.Value("--certificado").value_or("");
    parsed.folder = options.Value("--pasta").value_or("");
    parsed.passwordFile = options.Value("--senha-arquivo").value_or("");
    parsed.pkcs11Module = options.Value("--modulo-pkcs11").value_or("");
    parsed.authorities = options.Values("--ca");
    parsed.homologation = options.Has("--homologacao");
    parsed.filter.summariesOnly = options.Has("--resumos");
    parsed.csv = options.Has("--csv");
    if (const std::optional<std::string> company = options.Value("--empresa")) {
        const auto party = TypedParty(*company);
        if (!party) {
            throw DfeUsageError("--empresa pede um CNPJ, não \"" + *company + "\"");
        }
        parsed.filter.company = party->number;
    }
    for (const std::string_view name : {"--de", "--ate"}) {
        if (const std::optional<std::string> day = options.Value(name)) {
            if (!IsDay(*day)) {
                throw DfeUsageError(std::string(name) + " pede uma data AAAA-MM-DD, não \"" + *day +
                                    "\"");
            }
            (name == "--de" ? parsed.filter.from : parsed.filter.until) = *day;
        }
    }
    if (const std::optional<std::string> issuer = options.Value("--emitente")) {
        parsed.filter.issuer = *issuer;
    }
    if (const std::optional<std::string> situation = options.Value("--situacao")) {
        parsed.filter.situation = catalog::SituationNamed(*situation);
        if (!parsed.filter.situation) {
            throw DfeUsageError("--situacao pede autorizada, cancelada ou denegada, não \"" +
                                *situation + "\"");
        }
    }
    if (parsed.action == "adicionar" && parsed.certificate.empty()) {
        throw DfeUsageError("falta --certificado A1.pfx ou --certificado pkcs11:…");
    }
    if (parsed.action != "adicionar" &&
        (!parsed.certificate.empty() || !parsed.folder.empty() || parsed.homologation ||
         !parsed.passwordFile.empty() || !parsed.pkcs11Module.empty())) {
        throw DfeUsageError(
            "--certificado, --modulo-pkcs11, --pasta, --homologacao e --senha-arquivo são de "
            "empresas adicionar");
    }
    if (parsed.action == "remover" && parsed.operands.size() != 1) {
        throw DfeUsageError("empresas remover pede um CNPJ");
    }
    if (parsed.action == "importar" && parsed.operands.empty()) {
        throw DfeUsageError("notas importar pede ao menos uma pasta");
    }
    if ((parsed.command == "notas" && parsed.action.empty()) ||
        (parsed.command == "empresas" && parsed.action != "remover" && parsed.action != "")) {
        if (!parsed.operands.empty()) {
            throw DfeUsageError("argumento inesperado: " + parsed.operands.front());
        }
    }
    if (parsed.command == "empresas" && parsed.action.empty() && !parsed.operands.empty()) {
        throw DfeUsageError("argumento inesperado: " + parsed.operands.front());
    }
    return parsed;
}

int RunCatalogCommand(const std::vector<std::string>& arguments, const DfeContext& context) {
    CatalogArguments parsed;
    try {
        parsed = ParseCatalogArguments(arguments);
    } catch (const DfeUsageError& error) {
        context.err << "vellora-dfe: " << error.what() << "\n"
                    << "Use vellora-dfe " << arguments.front() << " --help para ver a ajuda.\n";
        return kUsage;
    }
    if (parsed.help) {
        context.out << kCatalogHelp;
        return kDelivered;
    }
    if (parsed.version) {
        context.out << DfeVersionLine();
        return kDelivered;
    }
    try {
        if (parsed.command == "empresas") {
            return RunCompaniesCommand(parsed, context);
        }
        if (parsed.command == "sincronizar") {
            return RunSynchroniseCommand(parsed, context);
        }
        return parsed.action == "importar" ? RunImportCommand(parsed, context)
                                           : RunInvoicesCommand(parsed, context);
    } catch (const CommandFailure& failure) {
        context.err << Printable(failure.what()) << "\n";
        return failure.status();
    } catch (const catalog::CatalogError& error) {
        context.err << Printable(error.what()) << "\n";
        return kFailed;
    }
}

}  // namespace tools
