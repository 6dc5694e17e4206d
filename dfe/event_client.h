#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dfe/event_answer.h"
#include "dfe/service_address.h"
#include "dfe/transport.h"

namespace dfe {

// Sends batches of signed events to the event service and reads its answers.
class EventClient {
public:
    EventClient(Transport& transport, ServiceAddress address)
        : transport_(transport), address_(std::move(address)) {}

    // Throws TransportError when no answer came, AnswerError when what came is not the
    // service's answer (an error page, a SOAP fault, text that is not XML).
    EventBatchAnswer Send(std::uint64_t batchId, const std::vector<std::string>& signedEvents);

    const ServiceAddress& address() const { return address_; }

private:
    Transport& transport_;
    ServiceAddress address_;
};

}  // namespace dfe
