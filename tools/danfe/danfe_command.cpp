#include "tools/danfe/danfe_command.h"
#include "files/system_error_text.h"

#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string_view>

#include "danfe/danfe_file.h"
#include "tools/exit_status.h"
#include "vellora/version.h"

namespace tools {

namespace {

constexpr std::string_view kUsageLine = "Uso: vellora-danfe [-o PASTA] ARQUIVO.xml...";

constexpr std::string_view kHelp = R"(Uso: vellora-danfe [-o PASTA] ARQUIVO.xml...

Desenha o DANFE (retrato, A4) de cada NF-e autorizada (nfeProc dos leiautes 2.00, 3.10 e 4.00)
e o grava em PDF com o nome "CHAVE.pdf".

  -o, --output PASTA pasta que recebe os PDFs, criada quando não existe (padrão: a pasta
                     atual); um arquivo de mesmo nome é substituído
  -h, --help         mostra esta ajuda
      --version      mostra a versão do programa

Uma NF-e do ambiente de homologação leva "SEM VALOR FISCAL" em cada folha; uma NF-e cujo
evento de cancelamento (CHAVE-110111-SEQ-procEventoNFe.xml, registrado) está na mesma pasta
do XML leva "CANCELADA". Um arquivo que não é uma NF-e autorizada é recusado com o motivo, e
os outros seguem.

Situação de saída: 0 quando todos os PDFs foram gravados, 1 quando algum falhou, 2 para uma
linha de comando errada.
)";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct DanfeArguments {
    std::string outputFolder = ".";
    std::vector<std::string> files;
    bool help = false;
    bool version = false;
};

DanfeArguments Parse(const std::vector<std::string>& arguments) {
    DanfeArguments parsed;
    bool optionsEnded = false;
    std::string fault;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || !argument.starts_with("-")) {
            parsed.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-h" || argument == "--help") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else if (argument == "-o" || argument == "--output") {
            if (i + 1 == arguments.size()) {
                fault = "falta a pasta depois de " + argument + ".";
            } else {
                parsed.outputFolder = arguments[++i];
            }
        } else if (argument.starts_with("--output=")) {
            parsed.outputFolder = argument.substr(9);
        } else if (argument.starts_with("-o")) {
            parsed.outputFolder = argument.substr(2);
        } else if (fault.empty()) {
            fault = "opção desconhecida: " + argument;
        }
    }
    if (parsed.help || parsed.version) {
        return parsed;
    }
    if (fault.empty() && parsed.outputFolder.empty()) {
        fault = "a pasta de saída está vazia.";
    }
    if (fault.empty() && parsed.files.empty()) {
        fault = "nenhum arquivo XML informado.";
    }
    if (!fault.empty()) {
        throw UsageError(fault);
    }
    return parsed;
}

}  // namespace

int RunDanfeCommand(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err) {
    DanfeArguments parsed;
    try {
        parsed = Parse(arguments);
    } catch (const UsageError& error) {
        err << "vellora-danfe: " << error.what() << "\n"
            << kUsageLine << "\nUse --help para ver a ajuda.\n";
        return kUsage;
    }
    if (parsed.help) {
        out << kHelp;
        return kDelivered;
    }
    if (parsed.version) {
        out << "vellora-danfe " << kVelloraVersion << "\n";
        return kDelivered;
    }
    int failed = 0;
    for (const std::string& file : parsed.files) {
        try {
            out << danfe::WriteDanfeFile(file, parsed.outputFolder).string() << "\n" << std::flush;
        } catch (const std::exception& error) {
            ++failed;
            err << file << ": DANFE não gerado. " << files::ExceptionText(error) << "\n"
                << std::flush;
        }
    }
    return failed == 0 ? kDelivered : kFailed;
}

}  // namespace tools
