#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "catalog/catalog.h"
#include "dfe/party.h"
#include "dfe/secret.h"
#include "tools/dfe/dfe_arguments.h"
#include "tools/dfe/dfe_command.h"
#include "tools/dfe/document_keeper.h"

namespace tools {

// The catalogue's file: --catalogo, then VELLORA_CATALOGO, then
// $XDG_DATA_HOME/vellora/vellora.sqlite. Throws CommandFailure.
std::filesystem::path CatalogFile(const std::string& given, const DfeContext& context);
// Opens it; throws CommandFailure with the catalogue's message.
std::unique_ptr<catalog::Catalog> OpenCatalog(const std::string& given, const DfeContext& context);

// The default folder of an office's documents: ~/Vellora/notas.
std::filesystem::path DefaultDocumentsFolder(const DfeContext& context);

// Takes the certificate, its password file, the environment and the folder of the company
// that --empresa names from the catalogue. Throws CommandFailure for an unknown CNPJ or a
// password file readable by others.
void UseCompany(DfeArguments& arguments, const DfeContext& context);

// The keeper of a run for party: by company below the company's folder with --empresa and
// without -o, otherwise into -o as before. Throws CommandFailure when the certificate is not
// the named company's or the catalogue cannot be opened.
std::unique_ptr<DocumentKeeper> OpenKeeper(const DfeArguments& arguments, const dfe::Party& party,
                                           const DfeContext& context);

// The password that the secret store keeps for the certificate file, when neither a password
// file nor VELLORA_CERT_PASSWORD gives one.
std::optional<dfe::Secret> KeptPassword(const std::string& certificate,
                                        const std::string& passwordFile, const DfeContext& context);

// A password file must be readable by its owner only. Throws CommandFailure otherwise.
void RequirePrivatePasswordFile(const std::filesystem::path& file);

// A CNPJ or CPF as typed, printed or pasted ("44.555.666/0001-81", "12.abc.345/01de-35").
std::optional<dfe::Party> TypedParty(std::string_view text);

// The absolute, normal form of a certificate's file, under which its password is kept; a
// PKCS#11 URI as it is.
std::string CertificateName(const std::filesystem::path& certificate);

}  // namespace tools
