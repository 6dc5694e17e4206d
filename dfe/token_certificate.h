#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "dfe/certificate.h"
#include "dfe/pkcs11_module.h"
#include "dfe/secret.h"

namespace dfe {

// Every certificate on the tokens that module reaches. Throws CertificateError.
std::vector<TokenCertificate> TokenCertificates(const std::filesystem::path& module);

// Whether every attribute that uri gives is the certificate's (type= "cert" or "private"
// counts as the pair).
bool MatchesUri(const TokenCertificate& certificate, const Pkcs11Uri& uri);

// What the certificate found on a token says. Throws CertificateError when it cannot be
// read.
CertificateInfo InfoOf(const TokenCertificate& certificate);

// The one certificate among found that uri names. Throws CertificateError when no token is
// present, when none matches, or when several do.
const TokenCertificate& SelectTokenCertificate(const std::vector<TokenCertificate>& found,
                                               const Pkcs11Uri& uri,
                                               const std::filesystem::path& module);

// Checks pin on the token of the certificate that uri names, as OpenTokenCertificate does,
// without opening it. Throws as OpenTokenCertificate.
void CheckTokenPin(std::string_view uri, const std::filesystem::path& module, const Secret& pin);

// Opens the A3 certificate that uri (a PKCS#11 URI) names on a token reached through module,
// with pin: the certificate read from the token, its key used through OpenSSL's PKCS#11
// engine, so that signing happens on the token. Throws WrongPasswordError for a wrong PIN,
// CertificateError for anything else that keeps it from being used.
CompanyCertificate OpenTokenCertificate(std::string_view uri, const std::filesystem::path& module,
                                        const Secret& pin);

}  // namespace dfe
