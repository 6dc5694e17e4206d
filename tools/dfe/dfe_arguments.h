#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/option_table.h"

namespace tools {

// The command line of vellora-dfe: a command, then its options and arguments.
struct DfeArguments {
    enum class Command { certificate, keys, newDocuments, ciencia };

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
    std::optional<int> authorState;        // --uf, as the IBGE code
    std::vector<std::string> authorities;  // --ca
    std::string passwordFile;              // --senha-arquivo
    bool ciencia = false;                  // chave --ciencia
    bool confirmed = false;                // --sim: the Ciência needs no question
    bool outputGiven = false;              // -o was given
    std::string company;                   // --empresa: a company of the catalogue
    std::string catalogFile;               // --catalogo
};

// A command line that vellora-dfe cannot run; the message says why.
using DfeUsageError = UsageError;

// arguments holds what follows the program's name. Commands: "certificado A1.pfx", "chave
// [options] KEY...", "novos [options]", "ciencia [options] KEY..."; their options come from
// vellora-dfe's option table, and one that the command does not take is refused. Keys are
// checked later, not here. Throws DfeUsageError; "--help", then "--version", win over every
// other fault.
DfeArguments ParseDfeArguments(const std::vector<std::string>& arguments);

std::string DfeUsage();        // the usage lines, one for each command
std::string DfeHelp();         // the whole explanation, for --help
std::string DfeVersionLine();  // the answer to --version

}  // namespace tools
