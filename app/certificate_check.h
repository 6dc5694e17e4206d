#pragma once

#include <filesystem>
#include <string>

#include "dfe/clock.h"
#include "dfe/secret.h"

namespace app {

// What the settings dialog shows of a certificate file: its holder, CNPJ (or CPF) and validity,
// or why it cannot be used.
struct CertificateCheck {
    bool usable = false;
    std::string text;  // one line for the person, UTF-8
};

CertificateCheck CheckCertificate(const std::filesystem::path& file, const dfe::Secret& password,
                                  dfe::Time now);

// False only when the certificate file refuses the password: a file that cannot be read for
// another reason says why later, where it is used.
bool OpensCertificate(const std::filesystem::path& file, const dfe::Secret& password);

}  // namespace app
