#include "dfe/event_client.h"

#include "dfe/event_request.h"
#include "dfe/soap_answer.h"

namespace dfe {

EventBatchAnswer EventClient::Send(std::uint64_t batchId,
                                   const std::vector<std::string>& signedEvents) {
    const HttpAnswer http =
        transport_.Post(address_.url, EventEnvelope(batchId, signedEvents), kEventContentType);
    return ReadSoapAnswer(http, "O serviço de eventos", "ao evento",
                          [](const std::string& body) { return ParseEventAnswer(body); });
}

}  // namespace dfe
