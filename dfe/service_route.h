#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dfe/certificate.h"
#include "dfe/clock.h"
#include "dfe/curl_transport.h"
#include "dfe/distribution_client.h"
#include "dfe/distribution_session.h"
#include "dfe/event_client.h"
#include "dfe/service_address.h"
#include "dfe/usage_record.h"

namespace dfe {

// Where the distribution service and the event service answer.
struct RouteAddresses {
    ServiceAddress distribution;
    ServiceAddress events;
};

// The national environment's services, or both at otherUrl's host (VELLORA_DFE_URL). Throws
// Error when otherUrl is not an https:// address.
RouteAddresses ServiceAddresses(Environment environment, const std::string& otherUrl);

struct RouteSettings {
    Environment environment = Environment::production;
    RouteAddresses addresses;
    // Where the use of the service is kept.
    std::filesystem::path dataFolder;
    // Authorities trusted besides the system's for the server's certificate.
    std::vector<std::filesystem::path> extraAuthorities;
    std::chrono::seconds connectTimeout{30};
    std::chrono::seconds totalTimeout{120};
    std::optional<int> authorState;  // cUFAutor
    // Asked while a request runs; true abandons it at once.
    std::function<bool()> stopRequested;
    // Called when another run holds the CNPJ base's record; it waits for that run unless this
    // throws.
    std::function<void()> whileWaiting;
};

// Everything that asks the services in the certificate's name: its usage record (locked for
// as long as the route lives, so that the requests of the CNPJ base, events included, go one
// after the other), the transport, the distribution session and the event client.
struct ServiceRoute {
    A1Certificate certificate;
    Party party;
    Environment environment = Environment::production;
    std::unique_ptr<UsageRecord> record;
    std::unique_ptr<CurlTransport> transport;
    std::unique_ptr<DistributionClient> client;
    std::unique_ptr<DistributionSession> session;
    std::unique_ptr<EventClient> events;
};

// Opens the route for certificate. clock must outlive it. Throws CertificateError when the
// certificate names no party or is not valid now, StateError and Error as UsageRecord and
// CurlTransport.
ServiceRoute OpenServiceRoute(A1Certificate certificate, RouteSettings settings,
                              const Clock& clock);

}  // namespace dfe
