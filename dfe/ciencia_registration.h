#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dfe/certificate.h"
#include "dfe/clock.h"
#include "dfe/distribution_request.h"
#include "dfe/event_client.h"
#include "dfe/usage_record.h"

namespace dfe {

// What became of the Ciência da Operação of one key.
struct CienciaOutcome {
    enum class Kind {
        registered,         // 135 (or 136): processedEvent holds procEventoNFe
        alreadyRegistered,  // 573: the same event was registered before
        refused,            // anything else, as the service said it
        unconfirmed,        // sent, but no answer came: it may have been registered
        refusedBefore,      // refused for good on an earlier run (cStat): not sent again
    };
    std::string key;
    Kind kind = Kind::refused;
    // The event's status, or the batch's when the batch was refused as a whole; 0 when the
    // service's answer said nothing of this key.
    int cStat = 0;
    std::string xMotivo;
    std::string processedEvent;
    std::string signedEvent;  // as sent, for unconfirmed
};

// Registers the Ciência of the certificate's party for each key (44 checked digits), in
// batches of at most 20 events, each batch after the answer to the previous one. Each
// outcome goes to sink as soon as its batch is answered, so that a later failure loses none.
// When a batch left but its answer never came (a time limit, a connection lost after
// sending), each of its keys goes to sink as unconfirmed before the TransportError is thrown
// again. The record (of the party's CNPJ base, locked) keeps the event service's hold after
// a 656 and each key's final refusal: a key refused for good goes to sink as refusedBefore
// without being sent, and no batch leaves during the hold. Throws UseLimitReached during
// the hold, Error when an event cannot be signed, TransportError and AnswerError as
// EventClient, StateError when the record cannot be written, and what sink throws.
void RegisterCiencia(EventClient& client, const A1Certificate& certificate, Environment environment,
                     const Clock& clock, UsageRecord& record, const std::vector<std::string>& keys,
                     const std::function<void(const CienciaOutcome&)>& sink);

}  // namespace dfe
