#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "dfe/pkcs11_module.h"

namespace dfe {

// A certificate found on a token, as the settings dialog lists it.
struct TokenChoice {
    TokenCertificate certificate;
    std::string uri;   // the address kept in the settings, naming it alone
    std::string text;  // the token, the holder, the CNPJ and the validity, in one line
};

// The certificates on the tokens present that module reaches. Throws CertificateError
// when the module cannot be loaded or a token cannot be read.
std::vector<TokenChoice> TokenChoices(const std::filesystem::path& module);

// Which of choices the kept address names; nullopt when none does (the token is not present)
// or the address cannot be read.
std::optional<std::size_t> ChoiceNamed(const std::vector<TokenChoice>& choices,
                                       const std::string& uri);

}  // namespace dfe
