#include "dfe/event_client.h"

#include "dfe/error.h"
#include "dfe/event_request.h"

namespace dfe {

EventBatchAnswer EventClient::Send(std::uint64_t batchId,
                                   const std::vector<std::string>& signedEvents) {
    const HttpAnswer http =
        transport_.Post(address_.url, EventEnvelope(batchId, signedEvents), kEventContentType);
    const bool xml = http.contentType.find("xml") != std::string::npos ||
                     http.body.starts_with("<?xml") ||
                     http.body.find(":Envelope") != std::string::npos;
    // A SOAP fault comes with status 500, and its text says more than the status does.
    if (http.status != 200 && !xml) {
        throw AnswerError("O serviço de eventos respondeu com uma página de erro (HTTP " +
                          std::to_string(http.status) + ", " +
                          (http.contentType.empty() ? "sem tipo" : http.contentType) +
                          ") em vez da resposta ao evento.");
    }
    try {
        return ParseEventAnswer(http.body);
    } catch (const AnswerError& error) {
        if (http.status == 200) {
            throw;
        }
        throw AnswerError(std::string(error.what()) + " (HTTP " + std::to_string(http.status) +
                          ")");
    }
}

}  // namespace dfe
