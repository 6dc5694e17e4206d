// OpenSSL 3 keeps its engines, deprecated, until its providers reach tokens; Debian 12 ships
// the PKCS#11 engine, not yet a provider.
#define OPENSSL_SUPPRESS_DEPRECATED

#include "dfe/token_certificate.h"

#include <openssl/engine.h>
#include <openssl/err.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <algorithm>

#include "dfe/crypto_providers.h"
#include "dfe/error.h"

namespace dfe {
namespace {

X509* CertificateOf(const std::string& der) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(der.data());
    return d2i_X509(nullptr, &bytes, static_cast<long>(der.size()));
}

struct EngineRelease {
    void operator()(ENGINE* engine) const {
        ENGINE_finish(engine);
        ENGINE_free(engine);
    }
};

// OpenSSL's PKCS#11 engine bound to module and holding pin, started; the key it loads
// stays usable while it lives.
std::shared_ptr<ENGINE> StartEngine(const std::filesystem::path& module, const Secret& pin) {
    ENGINE* engine = ENGINE_by_id("pkcs11");
    if (engine == nullptr) {
        ERR_clear_error();
        throw CertificateError(
            "O motor PKCS#11 do OpenSSL não foi encontrado (instale o pacote "
            "libengine-pkcs11-openssl).");
    }
    if (ENGINE_ctrl_cmd_string(engine, "MODULE_PATH", module.c_str(), 0) != 1 ||
        ENGINE_ctrl_cmd_string(engine, "PIN", pin.c_str(), 0) != 1 || ENGINE_init(engine) != 1) {
        ENGINE_free(engine);
        ERR_clear_error();
        throw CertificateError("O motor PKCS#11 do OpenSSL não pôde ser preparado.");
    }
    return std::shared_ptr<ENGINE>(engine, EngineRelease());
}

}  // namespace

bool MatchesUri(const TokenCertificate& certificate, const Pkcs11Uri& uri) {
    const auto same = [](const std::optional<std::string>& wanted, const std::string& value) {
        return !wanted || *wanted == value;
    };
    return same(uri.token, certificate.tokenLabel) &&
           same(uri.manufacturer, certificate.manufacturer) && same(uri.model, certificate.model) &&
           same(uri.serial, certificate.serial) && same(uri.object, certificate.object) &&
           same(uri.id, certificate.id) &&
           (!uri.type || *uri.type == "cert" || *uri.type == "private");
}

std::vector<TokenCertificate> TokenCertificates(const std::filesystem::path& module) {
    return Pkcs11Module(module).Certificates();
}

CertificateInfo InfoOf(const TokenCertificate& certificate) {
    std::unique_ptr<X509, decltype(&X509_free)> read(CertificateOf(certificate.der), X509_free);
    if (!read) {
        ERR_clear_error();
        throw CertificateError("O certificado \"" + certificate.object +
                               "\" do token está danificado e não pôde ser lido.");
    }
    return InfoOf(read.get());
}

const TokenCertificate& SelectTokenCertificate(const std::vector<TokenCertificate>& found,
                                               const Pkcs11Uri& uri,
                                               const std::filesystem::path& module) {
    std::vector<const TokenCertificate*> matching;
    for (const TokenCertificate& certificate : found) {
        if (MatchesUri(certificate, uri)) {
            matching.push_back(&certificate);
        }
    }
    if (matching.size() == 1) {
        return *matching.front();
    }
    if (matching.size() > 1) {
        throw CertificateError("\"" + uri.Text() + "\" indica " + std::to_string(matching.size()) +
                               " certificados; escolha um com object= ou id= (\"vellora-dfe "
                               "certificado pkcs11:\" lista os certificados dos tokens).");
    }
    throw CertificateError("Nenhum certificado dos tokens encontrados pelo módulo \"" +
                           module.string() + "\" corresponde a \"" + uri.Text() + "\".");
}

namespace {

// The certificate uri names, after the token has taken pin; the others on its token, which may
// be its authorities. The module is let go before anything else takes it up, so that the
// engine's session is the only one.
struct CheckedCertificate {
    TokenCertificate chosen;
    std::vector<TokenCertificate> others;
};

CheckedCertificate CheckPinOn(std::string_view uri, const std::filesystem::path& module,
                              const Secret& pin) {
    const Pkcs11Uri wanted = ParsePkcs11Uri(uri);
    CheckedCertificate checked;
    Pkcs11Module direct(module);
    if (direct.TokenCount() == 0) {
        throw CertificateError(
            "Nenhum token ou cartão foi encontrado pelo módulo PKCS#11 \"" + module.string() +
            "\". Verifique se ele está conectado (para um cartão, se o leitor está conectado "
            "e o serviço pcscd está ativo).");
    }
    std::vector<TokenCertificate> found = direct.Certificates();
    checked.chosen = SelectTokenCertificate(found, wanted, module);
    direct.CheckPin(checked.chosen, pin);
    for (TokenCertificate& certificate : found) {
        if (certificate.tokenLabel == checked.chosen.tokenLabel &&
            certificate.serial == checked.chosen.serial && certificate.der != checked.chosen.der) {
            checked.others.push_back(std::move(certificate));
        }
    }
    return checked;
}

}  // namespace

void CheckTokenPin(std::string_view uri, const std::filesystem::path& module, const Secret& pin) {
    CheckPinOn(uri, module, pin);
}

CompanyCertificate OpenTokenCertificate(std::string_view uri, const std::filesystem::path& module,
                                        const Secret& pin) {
    auto [chosen, others] = CheckPinOn(uri, module, pin);

    LoadCryptoProviders();
    std::unique_ptr<X509, decltype(&X509_free)> certificate(CertificateOf(chosen.der), X509_free);
    if (!certificate) {
        ERR_clear_error();
        throw CertificateError("O certificado \"" + chosen.object +
                               "\" do token está danificado e não pôde ser lido.");
    }
    // The authorities on the same token, issuer after issuer, go with it on the connection.
    std::vector<X509*> authorities;
    for (X509* last = certificate.get(); last != nullptr;) {
        X509* issuer = nullptr;
        for (const TokenCertificate& other : others) {
            X509* candidate = CertificateOf(other.der);
            if (candidate != nullptr && X509_cmp(candidate, last) != 0 &&
                X509_check_issued(candidate, last) == X509_V_OK &&
                std::none_of(authorities.begin(), authorities.end(),
                             [&](X509* kept) { return X509_cmp(kept, candidate) == 0; })) {
                issuer = candidate;
                break;
            }
            X509_free(candidate);
        }
        if (issuer != nullptr) {
            authorities.push_back(issuer);
        }
        last = issuer;
    }

    Pkcs11Uri keyUri = chosen.Uri();
    keyUri.type = "private";
    const std::shared_ptr<ENGINE> engine = StartEngine(module, pin);
    EVP_PKEY* key = ENGINE_load_private_key(engine.get(), keyUri.Text().c_str(), nullptr, nullptr);
    if (key == nullptr || X509_check_private_key(certificate.get(), key) != 1) {
        EVP_PKEY_free(key);
        for (X509* authority : authorities) {
            X509_free(authority);
        }
        ERR_clear_error();
        throw CertificateError("A chave privada do certificado \"" + chosen.object +
                               "\" não pôde ser usada pelo motor PKCS#11 do OpenSSL.");
    }
    ERR_clear_error();
    return CompanyCertificate::OnToken(certificate.release(), authorities, key, engine);
}

}  // namespace dfe
