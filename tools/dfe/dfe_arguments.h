#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/manifestation.h"

namespace tools {

// The command line of vellora-dfe: a command, then its options and arguments.
struct DfeArguments {
    enum class Command { certificate, keys, newDocuments, ciencia, manifest };

    Command command = Command::keys;
    bool help = false;
    bool version = false;
    std::string certificate;               // the A1 file
    std::string outputFolder = ".";        // -o
    std::vector<std::string> keys;         // as typed
    std::string keysFile;                  // --chaves
    std::optional<std::uint64_t> fromNsu;  // --desde-nsu
    bool pendingOnly = false;              // novos --pendentes: list, send nothing
    bool homologation = false;
    std::optional<int> authorState;                   // --uf, as the IBGE code
    std::vector<std::string> authorities;             // --ca
    std::string passwordFile;                         // --senha-arquivo
    bool ciencia = false;                             // chave --ciencia
    bool confirmed = false;                           // --sim: the manifestation needs no question
    std::optional<dfe::Manifestation> manifestation;  // manifestar --evento
    std::string justification;  // manifestar --justificativa, checked and trimmed
    bool outputGiven = false;   // -o was given
    std::string company;        // --empresa: a company of the catalogue
    std::string catalogFile;    // --catalogo
};

// A command line that vellora-dfe cannot run; the message says why.
class DfeUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// arguments holds what follows the program's name. Commands: "certificado A1.pfx", "chave
// [options] KEY...", "novos [options]", "ciencia [options] KEY...". Options take their value
// as the next argument or after "=": -o/--output, --certificado, --chaves, --desde-nsu, --uf,
// --ca (repeatable), --senha-arquivo; flags --homologacao, --ciencia, --sim, --pendentes and
// -h/--help; "--" ends the options. Keys are checked later, not here. Throws DfeUsageError;
// "--help" wins over every other fault.
DfeArguments ParseDfeArguments(const std::vector<std::string>& arguments);

extern const std::string_view kDfeUsage;  // the usage lines
extern const std::string_view kDfeHelp;   // the whole explanation, for --help

}  // namespace tools
