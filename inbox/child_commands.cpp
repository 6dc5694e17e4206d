#include "inbox/child_commands.h"

#include <unistd.h>

namespace inbox {
namespace {

void AddAuthorities(Arguments& arguments, const std::vector<std::string>& authorities) {
    for (const std::string& authority : authorities) {
        arguments.insert(arguments.end(), {"--ca", authority});
    }
}

bool IsProgram(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

}  // namespace

Arguments SynchroniseArguments(const std::vector<std::string>& cnpjs,
                               const std::vector<std::string>& authorities) {
    Arguments arguments{"sincronizar"};
    AddAuthorities(arguments, authorities);
    arguments.insert(arguments.end(), cnpjs.begin(), cnpjs.end());
    return arguments;
}

Arguments ManifestArguments(Manifestation manifestation, const std::string& justification,
                            const std::string& cnpj, const std::vector<std::string>& keys,
                            const std::vector<std::string>& authorities) {
    Arguments arguments{"manifestar", "--evento", std::string(ManifestationOption(manifestation))};
    if (NeedsJustification(manifestation)) {
        arguments.insert(arguments.end(), {"--justificativa", justification});
    }
    arguments.insert(arguments.end(), {"--sim", "--empresa", cnpj});
    AddAuthorities(arguments, authorities);
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    return arguments;
}

Arguments FetchKeysArguments(const std::string& cnpj, const std::vector<std::string>& keys,
                             const std::vector<std::string>& authorities) {
    Arguments arguments{"chave", "--empresa", cnpj};
    AddAuthorities(arguments, authorities);
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    return arguments;
}

Arguments AddCompanyArguments(const NewCompany& company) {
    Arguments arguments{"empresas", "adicionar", "--certificado", company.certificate.string()};
    if (!company.folder.empty()) {
        arguments.insert(arguments.end(), {"--pasta", company.folder.string()});
    }
    if (company.homologation) {
        arguments.push_back("--homologacao");
    }
    if (!company.passwordFile.empty()) {
        arguments.insert(arguments.end(), {"--senha-arquivo", company.passwordFile.string()});
    }
    return arguments;
}

Arguments RemoveCompanyArguments(const std::string& cnpj) {
    return {"empresas", "remover", cnpj};
}

std::optional<std::filesystem::path> FindProgram(const std::string& name,
                                                 const std::filesystem::path& besideFolder,
                                                 const std::string& path) {
    if (!besideFolder.empty() && IsProgram(besideFolder / name)) {
        return besideFolder / name;
    }
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const std::filesystem::path folder = path.substr(start, end - start);
        // An empty entry would mean the current folder, which is not where programs are looked
        // for.
        if (!folder.empty() && folder.is_absolute() && IsProgram(folder / name)) {
            return folder / name;
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace inbox
