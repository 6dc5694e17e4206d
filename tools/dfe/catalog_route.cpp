#include "tools/dfe/catalog_route.h"

#include <sys/stat.h>

#include <cstdio>

#include "catalog/error.h"
#include "dfe/data_folder.h"
#include "dfe/error.h"
#include "dfe/pkcs11_uri.h"
#include "nfe/cnpj.h"
#include "tools/dfe/certificate_validity.h"
#include "tools/dfe/commands.h"
#include "tools/dfe/route.h"

namespace tools {

std::filesystem::path CatalogFile(const std::string& given, const DfeContext& context) {
    if (!given.empty()) {
        return given;
    }
    if (const char* variable = context.variable("VELLORA_CATALOGO");
        variable != nullptr && *variable != '\0') {
        return variable;
    }
    try {
        return dfe::UserDataFolder(context.variable("XDG_DATA_HOME"), context.variable("HOME")) /
               "vellora.sqlite";
    } catch (const dfe::Error& error) {
        throw CommandFailure(kFailed, error.what());
    }
}

std::unique_ptr<catalog::Catalog> OpenCatalog(const std::string& given, const DfeContext& context) {
    try {
        return std::make_unique<catalog::Catalog>(CatalogFile(given, context));
    } catch (const catalog::CatalogError& error) {
        throw CommandFailure(kFailed, error.what());
    }
}

std::filesystem::path DefaultDocumentsFolder(const DfeContext& context) {
    const char* home = context.variable("HOME");
    if (home == nullptr || *home == '\0') {
        throw CommandFailure(kUsage, "HOME não está definida: dê a pasta com --pasta");
    }
    return std::filesystem::path(home) / "Vellora" / "notas";
}

std::optional<dfe::Party> TypedParty(std::string_view text) {
    return dfe::PartyFromNumber(nfe::IdentifierCharacters(text));
}

std::string CertificateName(const std::filesystem::path& certificate) {
    if (dfe::IsPkcs11Uri(certificate.native())) {
        return certificate.native();
    }
    return std::filesystem::absolute(certificate).lexically_normal().string();
}

void RequirePrivatePasswordFile(const std::filesystem::path& file) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        throw CommandFailure(kUsage,
                             "O arquivo de senha \"" + file.string() + "\" não pôde ser lido.");
    }
    if ((status.st_mode & 077) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(status.st_mode & 07777));
        throw CommandFailure(kUsage, "O arquivo de senha \"" + file.string() +
                                         "\" pode ser lido por outros usuários (permissões " +
                                         mode + "). Use chmod 600 \"" + file.string() +
                                         "\"; nada foi feito.");
    }
}

void UseCompany(DfeArguments& arguments, const DfeContext& context) {
    const std::optional<dfe::Party> party = TypedParty(arguments.company);
    if (!party) {
        throw CommandFailure(kUsage, "--empresa pede o CNPJ de uma empresa cadastrada, não \"" +
                                         arguments.company + "\"");
    }
    arguments.company = party->number;
    const std::optional<catalog::Company> company =
        OpenCatalog(arguments.catalogFile, context)->FindCompany(party->number);
    if (!company) {
        throw CommandFailure(kFailed, "A empresa " + party->Formatted() +
                                          " não está cadastrada; cadastre-a com vellora-dfe "
                                          "empresas adicionar.");
    }
    // Every command that uses the company's certificate says when it is about to expire.
    WarnOfExpiry(*company, context);
    if (arguments.certificate.empty()) {
        arguments.certificate = company->certificate.string();
    }
    if (arguments.passwordFile.empty() && company->passwordFile) {
        RequirePrivatePasswordFile(*company->passwordFile);
        arguments.passwordFile = company->passwordFile->string();
    }
    arguments.homologation = arguments.homologation || company->homologation;
    if (!arguments.outputGiven) {
        arguments.outputFolder = company->folder.string();
    }
}

std::unique_ptr<DocumentKeeper> OpenKeeper(const DfeArguments& arguments, const dfe::Party& party,
                                           const DfeContext& context) {
    if (!arguments.company.empty() && party.number != arguments.company) {
        throw CommandFailure(kFailed, "O certificado \"" + arguments.certificate + "\" é de " +
                                          party.Formatted() + ", não da empresa " +
                                          dfe::PartyFromNumber(arguments.company)->Formatted() +
                                          ". Nada foi consultado.");
    }
    return std::make_unique<DocumentKeeper>(
        arguments.outputFolder, !arguments.company.empty() && !arguments.outputGiven, party.number,
        OpenCatalog(arguments.catalogFile, context), context.clock);
}

std::optional<dfe::Secret> KeptPassword(const std::string& certificate,
                                        const std::string& passwordFile,
                                        const DfeContext& context) {
    // A password file or the variable, given for this run, come first.
    const char* variable = context.variable("VELLORA_CERT_PASSWORD");
    // A token's PIN is never kept.
    if (context.secrets == nullptr || !passwordFile.empty() ||
        (variable != nullptr && *variable != '\0') || dfe::IsPkcs11Uri(certificate)) {
        return std::nullopt;
    }
    return context.secrets->Read(CertificateName(certificate));
}

}  // namespace tools
