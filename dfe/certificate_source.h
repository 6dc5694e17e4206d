#pragma once

#include <filesystem>
#include <string>

#include "dfe/certificate.h"
#include "dfe/secret.h"

namespace dfe {

// The company's certificate is named one of two ways: an A1 by its file (.pfx, .p12), an A3
// by a PKCS#11 URI ("pkcs11:…") on a token reached through a PKCS#11 module.

// The module chosen (an option or VELLORA_PKCS11_MODULE), or p11-kit's proxy when none is.
std::filesystem::path Pkcs11ModuleOrDefault(const char* chosen);

// Opens the certificate that source names, with the A1's password or the token's PIN.
// Throws WrongPasswordError when it is refused, CertificateError for anything else that keeps
// the certificate from being used.
CompanyCertificate OpenCompanyCertificate(const std::string& source,
                                          const std::filesystem::path& module,
                                          const Secret& secret);

}  // namespace dfe
