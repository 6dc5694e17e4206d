#pragma once

#include <string>

#include "dfe/distribution_request.h"

namespace dfe {

// Where the distribution service answers.
struct ServiceAddress {
    std::string url;
    // Names what the program keeps about its use of this service: "producao",
    // "homologacao", or for another address the environment with its host and port
    // ("producao-127.0.0.1-8443"), so that a test service never mixes with the real one.
    std::string name;
};

// The national environment's distribution service for environment. A non-empty otherUrl
// (the variable VELLORA_DFE_URL) replaces its address; it must be an https:// address,
// otherwise this throws Error.
ServiceAddress DistributionService(Environment environment, const std::string& otherUrl = {});

// The national environment's event service (NFeRecepcaoEvento4) for environment. With an
// otherUrl for the distribution service, the events go to the same https:// host and port,
// at the event service's path, so that a test never sends an event to the real service.
// Throws Error as DistributionService.
ServiceAddress EventService(Environment environment, const std::string& otherUrl = {});

}  // namespace dfe
