#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dfe/clock.h"
#include "dfe/distribution_session.h"
#include "dfe/pkcs11_module.h"
#include "dfe/secret.h"

namespace app {

// Where the distribution service answers, and where the program keeps its use of it. The
// production service, the system's authorities and the user's data folder unless the
// environment says otherwise (a sample service on this machine, in the tests and demos).
struct RouteService {
    // Another https:// address for the service (VELLORA_DFE_URL); empty for production.
    std::string otherUrl;
    // Authorities trusted besides the system's for the server's certificate (VELLORA_DFE_CA).
    std::vector<std::filesystem::path> extraAuthorities;
    // Where the use of the service is kept; nullopt for the user's data folder.
    std::optional<std::filesystem::path> dataFolder;
    // How long a person waits for the answer before the portal takes over. The service
    // usually answers in seconds; the command line, where nobody waits at a window, allows
    // more.
    std::chrono::seconds timeout{30};
    // The catalogue where the written invoice is recorded (VELLORA_CATALOGO); nullopt for
    // vellora.sqlite in the data folder.
    std::optional<std::filesystem::path> catalogFile;
    // The PKCS#11 module that reaches an A3's token (VELLORA_PKCS11_MODULE); p11-kit's proxy,
    // which loads the modules the system has registered, by default.
    std::filesystem::path pkcs11Module = dfe::kDefaultPkcs11Module;

    static RouteService FromEnvironment();
};

// One start by key with a certificate configured.
struct RouteRequest {
    std::string key;  // 44 digits, checked
    // An A1's file, or an A3's PKCS#11 address on a token.
    std::string certificate;
    // The A1's password or the token's PIN.
    std::shared_ptr<const dfe::Secret> password;
    std::filesystem::path outputFolder;  // created already
    RouteService service;
    // Set when the person closes the window: the request is abandoned and nothing is written.
    std::shared_ptr<const std::atomic<bool>> stop;
    // The person agreed to register the recipient's Ciência da Operação, which the service
    // asks before it gives the full invoice: it is registered first, then the key is asked.
    bool registerCiencia = false;
};

// The invoice written as KEY-nfe.xml, or why the route could not deliver it: one line for the
// person, after which the query goes on through the portal.
struct RouteResult {
    std::optional<std::filesystem::path> file;
    std::string reason;
    // When only the summary came for want of the Ciência da Operação: what registering it
    // would mean, in the certificate holder's name, for the box that offers it.
    std::string cienciaMeaning;
};

// Runs away from the window, so that the window stays responsive while the service answers.
using OfficialRoute = std::function<RouteResult(const RouteRequest&)>;

// Asks the service for the key with the certificate (after registering the Ciência when the
// request says so); never throws.
RouteResult AskOfficialRoute(const RouteRequest& request, const dfe::Clock& clock);
RouteResult AskOfficialRoute(const RouteRequest& request);

// What an answer of the service gives: the signed invoice (procNFe) written into folder as
// KEY-nfe.xml, in one step, or the reason it gave none.
RouteResult ResultOfAnswer(const dfe::KeyAnswer& answer, const std::string& key,
                           const std::filesystem::path& folder);

}  // namespace app
