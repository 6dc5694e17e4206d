#include "dfe/crypto_providers.h"

#include <openssl/err.h>
#include <openssl/provider.h>

#include <cstdlib>
#include <mutex>

namespace dfe {
namespace {

OSSL_PROVIDER* defaultProvider = nullptr;
OSSL_PROVIDER* legacyProvider = nullptr;

// Runs before OpenSSL's own clean-up at exit (handlers run in reverse order, and OpenSSL
// registered its handler when it was first used), so the legacy module frees what it holds
// while it is still loaded.
void UnloadCryptoProviders() {
    if (legacyProvider != nullptr) {
        OSSL_PROVIDER_unload(legacyProvider);
    }
    if (defaultProvider != nullptr) {
        OSSL_PROVIDER_unload(defaultProvider);
    }
}

}  // namespace

bool LoadCryptoProviders() {
    static std::once_flag once;
    std::call_once(once, [] {
        // Loading one provider by hand stops OpenSSL from loading the default one by itself,
        // so both are loaded here.
        defaultProvider = OSSL_PROVIDER_load(nullptr, "default");
        legacyProvider = OSSL_PROVIDER_load(nullptr, "legacy");
        ERR_clear_error();
        std::atexit(UnloadCryptoProviders);
    });
    return legacyProvider != nullptr;
}

}  // namespace dfe
