#include "dfe/distribution_client.h"

#include "dfe/error.h"

namespace dfe {
namespace {

bool LooksLikeXml(const HttpAnswer& answer) {
    return answer.contentType.find("xml") != std::string::npos || answer.body.find("<?xml") == 0 ||
           answer.body.find(":Envelope") != std::string::npos;
}

}  // namespace

DistributionAnswer DistributionClient::Ask(const DistributionRequest& request) {
    const HttpAnswer http =
        transport_.Post(address_.url, DistributionEnvelope(request), kDistributionContentType);
    // A SOAP fault comes with status 500, and its text says more than the status does.
    if (http.status != 200 && !LooksLikeXml(http)) {
        const std::string type = http.contentType.empty() ? "sem tipo" : http.contentType;
        throw AnswerError("O serviço respondeu com uma página de erro (HTTP " +
                          std::to_string(http.status) + ", " + type +
                          ") em vez da resposta da distribuição.");
    }
    try {
        return ParseDistributionAnswer(http.body);
    } catch (const AnswerError& error) {
        if (http.status == 200) {
            throw;
        }
        throw AnswerError(std::string(error.what()) + " (HTTP " + std::to_string(http.status) +
                          ")");
    }
}

}  // namespace dfe
