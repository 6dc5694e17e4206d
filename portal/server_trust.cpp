#include "portal/server_trust.h"

#include <openssl/x509.h>
#include <openssl/x509_vfy.h>
#include <openssl/x509v3.h>

#include <memory>

namespace portal {

namespace {

struct Free {
    void operator()(X509* certificate) const { X509_free(certificate); }
    void operator()(X509_STORE* store) const { X509_STORE_free(store); }
    void operator()(X509_STORE_CTX* context) const { X509_STORE_CTX_free(context); }
    void operator()(STACK_OF(X509) * chain) const { sk_X509_pop_free(chain, X509_free); }
};

X509* FromDer(const std::string& der) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(der.data());
    return d2i_X509(nullptr, &bytes, static_cast<long>(der.size()));
}

}  // namespace

bool ChainTrusted(const std::vector<std::string>& derChain, const std::string& host,
                  const std::vector<std::filesystem::path>& extraAuthorities) {
    if (derChain.empty() || host.empty()) {
        return false;
    }
    std::unique_ptr<X509_STORE, Free> store(X509_STORE_new());
    if (!store || X509_STORE_set_default_paths(store.get()) != 1) {
        return false;
    }
    for (const auto& authority : extraAuthorities) {
        if (X509_STORE_load_file(store.get(), authority.c_str()) != 1) {
            return false;
        }
    }
    std::unique_ptr<X509, Free> server(FromDer(derChain.front()));
    std::unique_ptr<STACK_OF(X509), Free> others(sk_X509_new_null());
    if (!server || !others) {
        return false;
    }
    for (std::size_t i = 1; i < derChain.size(); ++i) {
        X509* certificate = FromDer(derChain[i]);
        if (certificate == nullptr || sk_X509_push(others.get(), certificate) == 0) {
            X509_free(certificate);
            return false;
        }
    }
    std::unique_ptr<X509_STORE_CTX, Free> context(X509_STORE_CTX_new());
    if (!context ||
        X509_STORE_CTX_init(context.get(), store.get(), server.get(), others.get()) != 1) {
        return false;
    }
    X509_VERIFY_PARAM* parameters = X509_STORE_CTX_get0_param(context.get());
    X509_VERIFY_PARAM_set_purpose(parameters, X509_PURPOSE_SSL_SERVER);
    // An address is compared with the certificate's IP addresses, a name with its DNS names.
    if (X509_VERIFY_PARAM_set1_ip_asc(parameters, host.c_str()) != 1 &&
        X509_VERIFY_PARAM_set1_host(parameters, host.c_str(), host.size()) != 1) {
        return false;
    }
    return X509_verify_cert(context.get()) == 1;
}

}  // namespace portal
