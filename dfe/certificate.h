#pragma once

#include <openssl/types.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/clock.h"
#include "dfe/party.h"
#include "dfe/secret.h"

namespace dfe {

struct CertificateInfo {
    std::string holder;          // the holder's name
    std::optional<Party> party;  // the CNPJ or CPF that the certificate names
    std::string issuer;          // the common name of the authority that issued it
    Time validFrom;
    Time validUntil;
};

// What a certificate says of its holder and validity. Throws CertificateError when a date
// cannot be read.
CertificateInfo InfoOf(const X509* certificate);

// The company's certificate and its private key: an A1 read from a PKCS#12 file (.pfx, .p12)
// into memory, or an A3 whose key stays on a token or smart card (token_certificate.h). An
// A1's key never leaves memory; its PEM form exists only as a Secret.
class CompanyCertificate {
public:
    // The bytes of a PKCS#12 file, opened with password. Throws CertificateError when the
    // bytes are not PKCS#12, the password is wrong, the file's cipher cannot be read, or the
    // file lacks the certificate or its key.
    static CompanyCertificate Read(std::string_view pkcs12, const Secret& password);
    // The same from a file; also throws CertificateError when the file cannot be read.
    static CompanyCertificate ReadFile(const std::filesystem::path& file, const Secret& password);

    // Copies share the certificate and the key; none copies the key itself.

    const CertificateInfo& info() const { return info_; }
    // The party the certificate speaks for; throws CertificateError when it names none.
    const Party& party() const;
    // Throws CertificateError when now is before or after the validity.
    void CheckValidAt(Time now) const;

    // The certificate followed by the authorities' certificates of the file, as PEM.
    std::string CertificateChainPem() const;
    // The private key as unencrypted PEM, for a TLS library that takes it from memory.
    // Throws CertificateError for a token's key, which cannot leave the token.
    Secret PrivateKeyPem() const;

    X509* certificate() const { return certificate_.get(); }
    // The authorities' certificates that came with it, issuer after issuer.
    std::vector<X509*> Authorities() const;
    // In memory for an A1; for an A3 a key of OpenSSL's PKCS#11 engine, which signs on the
    // token.
    EVP_PKEY* privateKey() const { return key_.get(); }
    bool KeyOnToken() const { return keySource_ != nullptr; }

    // A certificate whose key is given by keySource (which keeps the key usable, such as
    // the engine that reaches the token, and outlives key); takes ownership of the
    // certificates and the key.
    static CompanyCertificate OnToken(X509* certificate, const std::vector<X509*>& authorities,
                                      EVP_PKEY* key, std::shared_ptr<void> keySource);

private:
    CompanyCertificate() = default;
    void ReadInfo();

    std::shared_ptr<void> keySource_;  // before key_: it goes after it
    std::shared_ptr<X509> certificate_;
    std::shared_ptr<EVP_PKEY> key_;
    std::vector<std::shared_ptr<X509>> authorities_;
    CertificateInfo info_;
};

}  // namespace dfe
