#include <libsecret/secret.h>

#include "tools/dfe/secret_store.h"

namespace tools {
namespace {

// The entries that the desktop program's keychain library writes for the service "Vellora":
// its schema, with the certificate's path as "user" and the service as "server".
const SecretSchema* KeychainSchema() {
    static const SecretSchema schema = {
        "org.qt.keychain",
        SECRET_SCHEMA_DONT_MATCH_NAME,
        {
            {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"server", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {"type", SECRET_SCHEMA_ATTRIBUTE_STRING},
            {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING},
        },
        0,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        nullptr,
    };
    return &schema;
}

constexpr const char* kService = "Vellora";

class LibsecretStore : public SecretStore {
public:
    std::optional<dfe::Secret> Read(const std::string& certificate) override {
        GError* error = nullptr;
        gchar* password =
            secret_password_lookup_sync(KeychainSchema(), nullptr, &error, "user",
                                        certificate.c_str(), "server", kService, nullptr);
        if (error != nullptr) {
            g_error_free(error);
        }
        if (password == nullptr) {
            return std::nullopt;
        }
        dfe::Secret secret{std::string(password)};
        secret_password_free(password);
        return secret;
    }

    bool Save(const std::string& certificate, const dfe::Secret& password) override {
        GError* error = nullptr;
        const std::string label = std::string(kService) + ":" + certificate;
        const gboolean stored = secret_password_store_sync(
            KeychainSchema(), SECRET_COLLECTION_DEFAULT, label.c_str(), password.c_str(), nullptr,
            &error, "user", certificate.c_str(), "server", kService, "type", "plaintext", nullptr);
        if (error != nullptr) {
            g_error_free(error);
        }
        return stored != FALSE;
    }

    void Remove(const std::string& certificate) override {
        GError* error = nullptr;
        secret_password_clear_sync(KeychainSchema(), nullptr, &error, "user", certificate.c_str(),
                                   "server", kService, nullptr);
        if (error != nullptr) {
            g_error_free(error);
        }
    }
};

}  // namespace

std::unique_ptr<SecretStore> SystemSecretStore() {
    return std::make_unique<LibsecretStore>();
}

}  // namespace tools
