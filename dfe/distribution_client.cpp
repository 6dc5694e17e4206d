#include "dfe/distribution_client.h"

#include "dfe/soap_answer.h"

namespace dfe {

DistributionAnswer DistributionClient::Ask(const DistributionRequest& request) {
    const HttpAnswer http =
        transport_.Post(address_.url, DistributionEnvelope(request), kDistributionContentType);
    return ReadSoapAnswer(http, "O serviço", "da distribuição",
                          [](const std::string& body) { return ParseDistributionAnswer(body); });
}

}  // namespace dfe
