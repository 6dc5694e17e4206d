#pragma once

#include <openssl/types.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "dfe/manifestation.h"
#include "dfe/party.h"
#include "sample/dfe/distribution_service.h"

namespace sample {

// The sample event service's answers (retEnvEvento) to batches of events (envEvento). It
// takes the recipient's four manifestations (Ciência, Confirmação, Desconhecimento and
// Operação não Realizada with its justification): it checks each event's signature with the
// key of the client's certificate, registers each manifestation once, refuses a Ciência after
// a final manifestation (655), and refuses the rest with the status the national environment
// gives. After a Ciência or a Confirmação the distribution service hands the recipient the
// full invoice. With the excessive-use fault, once --burst batches of a CNPJ base were
// answered, it answers 656 and holds the base's events for an hour, and a batch inside the
// hold starts it again. Safe from any thread.
class EventReception {
public:
    explicit EventReception(DistributionService& service) : service_(service) {}

    // requestBody is the SOAP text; client, the party named by the client's certificate, and
    // clientKey its public key (nullptr without one).
    ServiceReply Answer(std::string_view requestBody, const std::optional<dfe::Party>& client,
                        EVP_PKEY* clientKey);

private:
    struct Verdict {
        int cStat = 0;
        std::string key;
        std::optional<dfe::Manifestation> manifestation;
        std::string protocol;
    };
    Verdict Judge(const std::string& event, const std::optional<dfe::Party>& client,
                  EVP_PKEY* clientKey);
    // The status of a well-formed, signed event of the invoice's recipient; registers it
    // when it may be.
    int Register(const std::string& key, dfe::Manifestation manifestation,
                 const DistributionService::Standing& standing);
    // Whether the excessive-use fault answers this batch of the CNPJ base with 656.
    bool ExcessiveUse(const std::string& base);

    DistributionService& service_;
    std::mutex mutex_;
    std::uint64_t protocols_ = 0;
    // The manifestations registered here, by key. With the late-invoice fault the
    // distribution service does not learn of them.
    std::map<std::string, std::set<dfe::Manifestation>> registered_;
    std::map<std::string, int> batchesByBase_;
    std::map<std::string, dfe::Time> heldUntil_;  // by CNPJ base
};

}  // namespace sample
