#include "inbox/command_line.h"

#include "dfe/party.h"
#include "text/character_filters.h"

namespace inbox {

const std::string_view kNotesHelp =
    R"(Uso: vellora-notas [--empresa CNPJ]

A janela "Notas recebidas" do Vellora: as NF-e que o serviço de distribuição entregou às
empresas do catálogo, com os filtros por empresa, período, situação e texto, a Ciência da
Operação e as outras manifestações do destinatário, o XML, a pasta e o DANFE de cada nota,
e a exportação para CSV.

  --empresa CNPJ   mostra primeiro as notas dessa empresa
  -h, --help       mostra esta ajuda e termina
  --version        mostra a versão e termina

As consultas ao serviço são feitas pelo vellora-dfe (o que está ao lado do vellora-notas, ou
o primeiro do PATH), com o mesmo catálogo ($XDG_DATA_HOME/vellora/vellora.sqlite, ou
VELLORA_CATALOGO). VELLORA_DFE_URL e VELLORA_DFE_CA valem como no vellora-dfe e no
programa principal.
)";

NotesArguments ParseNotesArguments(const std::vector<std::string>& arguments) {
    NotesArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "-h" || argument == "--help") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else if (argument == "--empresa" && i + 1 < arguments.size()) {
            const auto party = dfe::PartyFromNumber(text::LettersAndDigitsOnly(arguments[++i]));
            if (!party) {
                parsed.error = "--empresa pede um CNPJ, não \"" + arguments[i] + "\"";
            } else {
                parsed.company = party->number;
            }
        } else {
            parsed.error = "argumento inesperado: " + argument;
        }
    }
    return parsed;
}

}  // namespace inbox
