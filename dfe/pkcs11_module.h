#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dfe/pkcs11_uri.h"
#include "dfe/secret.h"

namespace dfe {

// p11-kit's proxy module: it loads the modules the system has registered (OpenSC's and the
// token makers' that install themselves), so that most tokens need no module named.
inline constexpr const char* kDefaultPkcs11Module = "p11-kit-proxy.so";

// A certificate found on a token.
struct TokenCertificate {
    std::string tokenLabel;
    std::string manufacturer;
    std::string model;
    std::string serial;
    std::string object;  // the object's label
    std::string id;      // the object's id (raw bytes), shared with its private key
    std::string der;     // the certificate

    // A URI that names this certificate alone: the token by label and serial, the object by
    // id (or by label when it has no id).
    Pkcs11Uri Uri() const;
};

// A PKCS#11 module (the token maker's library) loaded for a moment: the certificates on the
// tokens present, and the PIN tried on one of them. The module is let go when the object goes.
class Pkcs11Module {
public:
    // module: a file, or a library name that the system's loader finds. Throws
    // CertificateError when it cannot be loaded or is not a PKCS#11 module.
    explicit Pkcs11Module(const std::filesystem::path& module);
    ~Pkcs11Module();
    Pkcs11Module(const Pkcs11Module&) = delete;
    Pkcs11Module& operator=(const Pkcs11Module&) = delete;

    // How many tokens are present in the module's readers.
    std::size_t TokenCount();
    // Every certificate on every token present. Throws CertificateError.
    std::vector<TokenCertificate> Certificates();
    // Logs in to the certificate's token with pin and checks that the token holds the
    // certificate's private key, then logs out. Throws WrongPasswordError for a wrong PIN
    // (saying how many tries are left when the token tells), CertificateError for a locked
    // or removed token or a missing key.
    void CheckPin(const TokenCertificate& certificate, const Secret& pin);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The message for a PIN the token refused, from the token's flags after the refusal
// (CKF_USER_PIN_COUNT_LOW, CKF_USER_PIN_FINAL_TRY, CKF_USER_PIN_LOCKED).
std::string WrongPinMessage(unsigned long tokenFlags);

}  // namespace dfe
