#include "dfe/certificate.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

#include <ctime>
#include <fstream>
#include <iterator>

#include "dfe/crypto_providers.h"
#include "dfe/error.h"
#include "dfe/holder_identity.h"
#include "dfe/local_time.h"

namespace dfe {
namespace {

// A1 files are a few kilobytes; anything much larger is not one.
constexpr std::streamsize kMaxFileBytes = 1 << 20;

enum class Pkcs12Failure { other, wrongPassword, unsupportedCipher };

// What went wrong, from OpenSSL's error queue, which this empties.
Pkcs12Failure FailureInQueue() {
    Pkcs12Failure failure = Pkcs12Failure::other;
    for (unsigned long error; (error = ERR_get_error()) != 0;) {
        const int library = ERR_GET_LIB(error);
        const int reason = ERR_GET_REASON(error);
        if (reason == ERR_R_UNSUPPORTED) {
            failure = Pkcs12Failure::unsupportedCipher;
        } else if (failure == Pkcs12Failure::other &&
                   ((library == ERR_LIB_PKCS12 && (reason == PKCS12_R_MAC_VERIFY_FAILURE ||
                                                   reason == PKCS12_R_PKCS12_CIPHERFINAL_ERROR)) ||
                    (library == ERR_LIB_EVP && reason == EVP_R_BAD_DECRYPT))) {
            failure = Pkcs12Failure::wrongPassword;
        }
    }
    return failure;
}

std::shared_ptr<X509> Owned(X509* certificate) {
    return std::shared_ptr<X509>(certificate, X509_free);
}

Time TimeOf(const ASN1_TIME* time) {
    std::tm parts{};
    if (time == nullptr || ASN1_TIME_to_tm(time, &parts) != 1) {
        throw CertificateError("O certificado traz uma data de validade que não pôde ser lida.");
    }
    return std::chrono::system_clock::from_time_t(timegm(&parts));
}

}  // namespace

CompanyCertificate CompanyCertificate::Read(std::string_view pkcs12, const Secret& password) {
    const bool legacyLoaded = LoadCryptoProviders();
    ERR_clear_error();

    const auto* bytes = reinterpret_cast<const unsigned char*>(pkcs12.data());
    std::unique_ptr<PKCS12, decltype(&PKCS12_free)> file(
        d2i_PKCS12(nullptr, &bytes, static_cast<long>(pkcs12.size())), PKCS12_free);
    if (!file) {
        ERR_clear_error();
        throw CertificateError(
            "O arquivo não é um certificado A1: não está no formato PKCS#12 (.pfx ou .p12).");
    }

    EVP_PKEY* key = nullptr;
    X509* certificate = nullptr;
    STACK_OF(X509)* authorities = nullptr;
    if (PKCS12_parse(file.get(), password.c_str(), &key, &certificate, &authorities) != 1) {
        switch (FailureInQueue()) {
            case Pkcs12Failure::wrongPassword:
                throw WrongPasswordError("A senha do certificado está incorreta.");
            case Pkcs12Failure::unsupportedCipher:
                throw CertificateError(
                    legacyLoaded
                        ? "O certificado usa uma cifra que o OpenSSL desta máquina não lê."
                        : "O certificado usa uma cifra antiga (RC2) que o OpenSSL desta máquina "
                          "só lê com o provedor \"legacy\", que não pôde ser carregado.");
            case Pkcs12Failure::other:
                throw CertificateError("O arquivo PKCS#12 está danificado e não pôde ser lido.");
        }
    }

    CompanyCertificate a1;
    a1.key_.reset(key, EVP_PKEY_free);
    a1.certificate_ = Owned(certificate);
    while (sk_X509_num(authorities) > 0) {
        a1.authorities_.push_back(Owned(sk_X509_shift(authorities)));
    }
    sk_X509_free(authorities);
    if (!a1.certificate_ || !a1.key_) {
        throw CertificateError("O arquivo não traz o certificado junto com a sua chave privada.");
    }
    if (X509_check_private_key(a1.certificate_.get(), a1.key_.get()) != 1) {
        ERR_clear_error();
        throw CertificateError("A chave privada do arquivo não é a do certificado.");
    }

    a1.ReadInfo();
    return a1;
}

CompanyCertificate CompanyCertificate::OnToken(X509* certificate,
                                               const std::vector<X509*>& authorities, EVP_PKEY* key,
                                               std::shared_ptr<void> keySource) {
    CompanyCertificate a3;
    a3.keySource_ = std::move(keySource);
    a3.certificate_ = Owned(certificate);
    for (X509* authority : authorities) {
        a3.authorities_.push_back(Owned(authority));
    }
    a3.key_.reset(key, EVP_PKEY_free);
    a3.ReadInfo();
    return a3;
}

void CompanyCertificate::ReadInfo() {
    info_ = InfoOf(certificate_.get());
}

CertificateInfo InfoOf(const X509* certificate) {
    const HolderIdentity identity = IdentityOf(certificate);
    CertificateInfo info;
    info.holder = identity.name;
    info.party = identity.party;
    info.issuer = CommonName(X509_get_issuer_name(certificate));
    info.validFrom = TimeOf(X509_get0_notBefore(certificate));
    info.validUntil = TimeOf(X509_get0_notAfter(certificate));
    return info;
}

CompanyCertificate CompanyCertificate::ReadFile(const std::filesystem::path& file,
                                                const Secret& password) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw CertificateError("O arquivo do certificado \"" + file.string() +
                               "\" não pôde ser aberto.");
    }
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(kMaxFileBytes) + 1);
    in.read(bytes.data(), kMaxFileBytes + 1);
    if (in.bad()) {
        throw CertificateError("O arquivo do certificado \"" + file.string() +
                               "\" não pôde ser lido.");
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.gcount() > kMaxFileBytes) {
        throw CertificateError("O arquivo \"" + file.string() +
                               "\" é grande demais para ser um certificado A1.");
    }
    return Read(bytes, password);
}

const Party& CompanyCertificate::party() const {
    if (!info_.party) {
        throw CertificateError(
            "O certificado não traz um CNPJ nem um CPF válido: não é um certificado e-CNPJ ou "
            "e-CPF da ICP-Brasil.");
    }
    return *info_.party;
}

void CompanyCertificate::CheckValidAt(Time now) const {
    if (now > info_.validUntil) {
        throw CertificateError("O certificado venceu em " + LocalDateText(info_.validUntil) + ".");
    }
    if (now < info_.validFrom) {
        throw CertificateError("O certificado só vale a partir de " +
                               LocalDateTimeText(info_.validFrom) + ".");
    }
}

std::string CompanyCertificate::CertificateChainPem() const {
    std::unique_ptr<BIO, decltype(&BIO_free)> out(BIO_new(BIO_s_mem()), BIO_free);
    PEM_write_bio_X509(out.get(), certificate_.get());
    for (const auto& authority : authorities_) {
        PEM_write_bio_X509(out.get(), authority.get());
    }
    char* data = nullptr;
    const long length = BIO_get_mem_data(out.get(), &data);
    return std::string(data, static_cast<std::size_t>(length));
}

std::vector<X509*> CompanyCertificate::Authorities() const {
    std::vector<X509*> authorities;
    for (const auto& authority : authorities_) {
        authorities.push_back(authority.get());
    }
    return authorities;
}

Secret CompanyCertificate::PrivateKeyPem() const {
    if (KeyOnToken()) {
        throw CertificateError("A chave privada de um certificado A3 não sai do token ou cartão.");
    }
    // Memory of this kind is wiped when it is freed.
    std::unique_ptr<BIO, decltype(&BIO_free)> out(BIO_new(BIO_s_secmem()), BIO_free);
    if (!out || PEM_write_bio_PrivateKey(out.get(), key_.get(), nullptr, nullptr, 0, nullptr,
                                         nullptr) != 1) {
        ERR_clear_error();
        throw CertificateError("A chave privada do certificado não pôde ser preparada.");
    }
    char* data = nullptr;
    const long length = BIO_get_mem_data(out.get(), &data);
    Secret pem;
    pem.Reserve(static_cast<std::size_t>(length) + 1);
    for (long i = 0; i < length; ++i) {
        pem.Append(data[i]);
    }
    return pem;
}

}  // namespace dfe
