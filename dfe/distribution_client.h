#pragma once

#include "dfe/distribution_answer.h"
#include "dfe/distribution_request.h"
#include "dfe/service_address.h"
#include "dfe/transport.h"

namespace dfe {

// Sends requests to the distribution service and reads its answers.
class DistributionClient {
public:
    DistributionClient(Transport& transport, ServiceAddress address)
        : transport_(transport), address_(std::move(address)) {}

    // Throws TransportError when no answer came, AnswerError when what came is not the
    // service's answer (an error page, a SOAP fault, text that is not XML).
    DistributionAnswer Ask(const DistributionRequest& request);

    const ServiceAddress& address() const { return address_; }

private:
    Transport& transport_;
    ServiceAddress address_;
};

}  // namespace dfe
