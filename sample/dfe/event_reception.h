#pragma once

#include <openssl/types.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "dfe/party.h"
#include "sample/dfe/distribution_service.h"

namespace sample {

// The sample event service's answers (retEnvEvento) to batches of events (envEvento). It
// takes the recipient's Ciência da Operação (210210) only: it checks each event's signature
// with the key of the client's certificate, registers the Ciência in the distribution
// service, which hands the recipient the full invoice from then on, and refuses the rest
// with the status the national environment gives. With the excessive-use fault, once --burst
// batches of a CNPJ base were answered, it answers 656 and holds the base's events for an
// hour, and a batch inside the hold starts it again. Safe from any thread.
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
        std::string protocol;
    };
    Verdict Judge(const std::string& event, const std::optional<dfe::Party>& client,
                  EVP_PKEY* clientKey);
    // Whether the excessive-use fault answers this batch of the CNPJ base with 656.
    bool ExcessiveUse(const std::string& base);

    DistributionService& service_;
    std::mutex mutex_;
    std::uint64_t protocols_ = 0;
    // With the late-invoice fault: the keys whose Ciência was registered, which the
    // distribution service does not know of.
    std::set<std::string> registeredLate_;
    std::map<std::string, int> batchesByBase_;
    std::map<std::string, dfe::Time> heldUntil_;  // by CNPJ base
};

}  // namespace sample
