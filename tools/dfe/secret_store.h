#pragma once

#include <memory>
#include <optional>
#include <string>

#include "dfe/secret.h"

namespace tools {

// Where the certificates' passwords are kept between runs, under the certificate file's
// absolute path: the same entries that the desktop program keeps, so that both find them.
class SecretStore {
public:
    virtual ~SecretStore() = default;
    // nullopt when none is kept or the store cannot be reached.
    virtual std::optional<dfe::Secret> Read(const std::string& certificate) = 0;
    // false when the store did not take it (no Secret Service running, locked, refused).
    virtual bool Save(const std::string& certificate, const dfe::Secret& password) = 0;
    virtual void Remove(const std::string& certificate) = 0;
};

// The Secret Service of the session, through libsecret.
std::unique_ptr<SecretStore> SystemSecretStore();

}  // namespace tools
