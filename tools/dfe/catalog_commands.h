#pragma once

#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "tools/dfe/dfe_command.h"

namespace tools {

// The office's commands, over the catalogue: empresas, notas and sincronizar.
struct CatalogArguments {
    std::string command;  // "empresas", "notas" or "sincronizar"
    std::string action;   // "adicionar", "remover", "importar" or ""
    std::vector<std::string> operands;
    std::string catalogFile;               // --catalogo
    std::string certificate;               // --certificado
    std::string folder;                    // --pasta
    std::string passwordFile;              // --senha-arquivo
    std::string pkcs11Module;              // --modulo-pkcs11
    std::vector<std::string> authorities;  // --ca
    bool homologation = false;
    catalog::DocumentFilter filter;
    bool csv = false;
    bool help = false;
    bool version = false;
};

bool IsCatalogCommand(const std::string& command);
// Parses arguments (the command first); throws DfeUsageError.
CatalogArguments ParseCatalogArguments(const std::vector<std::string>& arguments);
int RunCatalogCommand(const std::vector<std::string>& arguments, const DfeContext& context);

int RunCompaniesCommand(const CatalogArguments& arguments, const DfeContext& context);
int RunInvoicesCommand(const CatalogArguments& arguments, const DfeContext& context);
int RunImportCommand(const CatalogArguments& arguments, const DfeContext& context);
int RunSynchroniseCommand(const CatalogArguments& arguments, const DfeContext& context);

extern const std::string_view kCatalogHelp;

}  // namespace tools
