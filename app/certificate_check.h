#pragma once

#include <filesystem>
#include <string>

#include "dfe/clock.h"
#include "dfe/secret.h"

namespace app {

// What the settings dialog shows of a certificate: its holder, CNPJ (or CPF) and validity, or
// why it cannot be used.
struct CertificateCheck {
    bool usable = false;
    // The A1's password or the token's PIN was refused.
    bool refused = false;
    std::string text;  // one line for the person, UTF-8
};

// certificate: an A1's file, or an A3's PKCS#11 address on a token that module reaches. A
// token's PIN is tried once: a token locks itself after a few wrong ones.
CertificateCheck CheckCertificate(const std::string& certificate,
                                  const std::filesystem::path& module, const dfe::Secret& secret,
                                  dfe::Time now);

// False only when the certificate file refuses the password: a file that cannot be read for
// another reason says why later, where it is used.
bool OpensCertificate(const std::filesystem::path& file, const dfe::Secret& password);

}  // namespace app
