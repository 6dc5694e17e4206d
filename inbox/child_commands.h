#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "inbox/manifestation.h"

namespace inbox {

// The command lines of vellora-dfe that the window runs, without the program's name. Nothing
// secret is ever on them: the certificate's password goes through the child's environment
// (VELLORA_CERT_PASSWORD, which vellora-dfe wipes as it starts) or the secret store.
// CNPJs and keys come from the catalogue, which holds only valid ones, so none can pass for
// an option.
using Arguments = std::vector<std::string>;

// New documents of the companies, or of every company when cnpjs is empty; authorities are
// certificate authorities trusted besides the system's.
Arguments SynchroniseArguments(const std::vector<std::string>& cnpjs,
                               const std::vector<std::string>& authorities);

// The manifestation for the keys in the company's name, confirmed in the window already.
Arguments ManifestArguments(Manifestation manifestation, const std::string& justification,
                            const std::string& cnpj, const std::vector<std::string>& keys,
                            const std::vector<std::string>& authorities);

// The keys asked again, so that summaries become full invoices after the Ciência.
Arguments FetchKeysArguments(const std::string& cnpj, const std::vector<std::string>& keys,
                             const std::vector<std::string>& authorities);

// A new company from its certificate: an A1's file, or an A3's PKCS#11 address on a token.
struct NewCompany {
    std::filesystem::path certificate;
    std::filesystem::path folder;  // empty: the default folder
    bool homologation = false;
    // For a machine without a secret store: a file, readable by its owner only, holding the
    // password. Otherwise the password itself, which goes to the secret store.
    std::filesystem::path passwordFile;
};
Arguments AddCompanyArguments(const NewCompany& company);
Arguments RemoveCompanyArguments(const std::string& cnpj);

// The program beside the window's own executable, or else the first on the PATH (a list of
// folders separated by ":"); nullopt when there is none.
std::optional<std::filesystem::path> FindProgram(const std::string& name,
                                                 const std::filesystem::path& besideFolder,
                                                 const std::string& path);

}  // namespace inbox
