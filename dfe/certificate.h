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

// An A1 certificate: the certificate and its private key, read from a PKCS#12 file (.pfx,
// .p12) into memory. The key never leaves memory; its PEM form exists only as a Secret.
class A1Certificate {
public:
    // The bytes of a PKCS#12 file, opened with password. Throws CertificateError when the
    // bytes are not PKCS#12, the password is wrong, the file's cipher cannot be read, or the
    // file lacks the certificate or its key.
    static A1Certificate Read(std::string_view pkcs12, const Secret& password);
    // The same from a file; also throws CertificateError when the file cannot be read.
    static A1Certificate ReadFile(const std::filesystem::path& file, const Secret& password);

    ~A1Certificate();
    A1Certificate(A1Certificate&&) noexcept;
    A1Certificate& operator=(A1Certificate&&) noexcept;

    const CertificateInfo& info() const { return info_; }
    // The party the certificate speaks for; throws CertificateError when it names none.
    const Party& party() const;
    // Throws CertificateError when now is before or after the validity.
    void CheckValidAt(Time now) const;

    // The certificate followed by the authorities' certificates of the file, as PEM.
    std::string CertificateChainPem() const;
    // The private key as unencrypted PEM, for a TLS library that takes it from memory.
    Secret PrivateKeyPem() const;

    X509* certificate() const { return certificate_.get(); }
    EVP_PKEY* privateKey() const { return key_.get(); }

private:
    struct Deleters {
        void operator()(X509* certificate) const;
        void operator()(EVP_PKEY* key) const;
    };

    A1Certificate() = default;

    std::unique_ptr<X509, Deleters> certificate_;
    std::unique_ptr<EVP_PKEY, Deleters> key_;
    std::vector<std::unique_ptr<X509, Deleters>> authorities_;
    CertificateInfo info_;
};

}  // namespace dfe
