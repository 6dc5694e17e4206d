#pragma once

#include <string>

#include "dfe/secret.h"

namespace portal {

// The company's certificate as the portal's download asks for it: the certificate with its
// authorities and the private key, as PEM, handed over from memory only.
struct ClientCertificate {
    std::string chainPem;
    dfe::Secret keyPem;
};

}  // namespace portal
