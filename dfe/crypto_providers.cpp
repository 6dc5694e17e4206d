#include "dfe/crypto_providers.h"

#include <openssl/err.h>
#include <openssl/provider.h>

#include <mutex>

namespace dfe {

bool LoadCryptoProviders() {
    static std::once_flag once;
    static bool legacy = false;
    std::call_once(once, [] {
        // Loading one provider by hand stops OpenSSL from loading the default one by itself,
        // so both are loaded here.
        OSSL_PROVIDER_load(nullptr, "default");
        legacy = OSSL_PROVIDER_load(nullptr, "legacy") != nullptr;
        ERR_clear_error();
    });
    return legacy;
}

}  // namespace dfe
