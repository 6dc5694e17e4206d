#pragma once

#include <optional>
#include <string>

#include "dfe/secret.h"

namespace app {

// Where the password of the company's certificate is kept between runs: the system's keyring,
// and nowhere else. Tests, which run without a keyring, use a fake.
class PasswordStore {
public:
    virtual ~PasswordStore() = default;
    // The password kept for the certificate file; nullopt when none is kept or no keyring
    // answers.
    virtual std::optional<dfe::Secret> Read(const std::string& certificate) = 0;
    // Keeps the password for the certificate file; false when no keyring took it.
    virtual bool Save(const std::string& certificate, const dfe::Secret& password) = 0;
    // Forgets the password kept for the certificate file, if any.
    virtual void Remove(const std::string& certificate) = 0;
};

// The system's keyring through QtKeychain (the Secret Service, KWallet, or the platform's own).
// Each call waits for the keyring's answer, letting the window's events run meanwhile, for 10
// seconds at most (a keyring that does not answer counts as none). There is no fall-back to a
// file: without a keyring nothing is kept.
class KeychainPasswordStore : public PasswordStore {
public:
    std::optional<dfe::Secret> Read(const std::string& certificate) override;
    bool Save(const std::string& certificate, const dfe::Secret& password) override;
    void Remove(const std::string& certificate) override;
};

}  // namespace app
