#pragma once

#include <openssl/types.h>

#include <optional>
#include <string>

#include "dfe/party.h"

namespace dfe {

// Who an ICP-Brasil certificate belongs to.
struct HolderIdentity {
    std::string name;            // the holder's name, without the number after it
    std::optional<Party> party;  // nullopt when the certificate names no valid CNPJ or CPF
};

// The holder of an ICP-Brasil certificate. The number comes from the subject's alternative
// names (other name 2.16.76.1.3.3: the CNPJ; 2.16.76.1.3.1: birth date then CPF), or else
// from the common name "NAME:NUMBER".
HolderIdentity IdentityOf(const X509* certificate);

// The common name of an X.509 name, as UTF-8; empty when it has none.
std::string CommonName(const X509_NAME* name);

}  // namespace dfe
