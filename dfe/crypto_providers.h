#pragma once

namespace dfe {

// Loads OpenSSL's default provider and its legacy provider into the process's default
// context, once; safe from any thread. Many A1 files are still encrypted with RC2-40, which
// OpenSSL 3 reads only through the legacy provider. Returns whether the legacy provider
// could be loaded.
bool LoadCryptoProviders();

}  // namespace dfe
