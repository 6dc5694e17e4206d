#include "dfe/ciencia_registration.h"

#include <algorithm>

#include "dfe/ciencia_event.h"
#include "dfe/distribution_answer.h"
#include "dfe/event_request.h"

namespace dfe {
namespace {

CienciaOutcome OutcomeOf(const std::string& key, const std::string& signedEvent,
                         const EventResult& result) {
    CienciaOutcome outcome{key, CienciaOutcome::Kind::refused, result.cStat, result.xMotivo, {},
                           {}};
    if (result.cStat == kEventRegistered || result.cStat == kEventRegisteredUnlinked) {
        outcome.kind = CienciaOutcome::Kind::registered;
        outcome.processedEvent = ProcessedEvent(signedEvent, result.xml);
    } else if (result.cStat == kEventDuplicate) {
        outcome.kind = CienciaOutcome::Kind::alreadyRegistered;
    }
    return outcome;
}

// The service's hold after a 656 and the final refusals, kept for the next runs.
void KeepWhatLasts(const EventBatchAnswer& answer, const std::vector<std::string>& batch,
                   UsageRecord& record, Time now) {
    bool excessiveUse = answer.cStat == kExcessiveUse;
    for (const EventResult& result : answer.events) {
        excessiveUse = excessiveUse || result.cStat == kExcessiveUse;
        if (IsFinalCienciaRefusal(result.cStat) &&
            std::find(batch.begin(), batch.end(), result.key) != batch.end()) {
            record.KeepCienciaRefusal(result.key, result.cStat);
        }
    }
    if (excessiveUse) {
        record.limits().RecordAnswer(RequestKind::event, kExcessiveUse, false, now);
    }
    record.Save();
}

}  // namespace

void RegisterCiencia(EventClient& client, const A1Certificate& certificate, Environment environment,
                     const Clock& clock, UsageRecord& record, const std::vector<std::string>& keys,
                     const std::function<void(const CienciaOutcome&)>& sink) {
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(clock.Now().time_since_epoch()).count();
    std::uint64_t batchId = static_cast<std::uint64_t>(std::max<std::int64_t>(seconds, 0)) * 100;

    // Sending again what the service refused for good would only add to its count of misuse.
    std::vector<std::string> toSend;
    for (const std::string& key : keys) {
        if (const std::optional<int> refused = record.CienciaRefusal(key)) {
            sink({key, CienciaOutcome::Kind::refusedBefore, *refused, {}, {}, {}});
        } else {
            toSend.push_back(key);
        }
    }

    for (std::size_t first = 0; first < toSend.size(); first += kMaxEventsPerBatch) {
        if (std::optional<Hold> hold = record.limits().HoldFor(RequestKind::event, clock.Now())) {
            throw UseLimitReached(std::move(*hold));
        }
        const std::vector<std::string> batch(
            toSend.begin() + static_cast<std::ptrdiff_t>(first),
            toSend.begin() +
                static_cast<std::ptrdiff_t>(std::min(toSend.size(), first + kMaxEventsPerBatch)));
        std::vector<std::string> events;
        for (const std::string& key : batch) {
            events.push_back(SignedCienciaEvent(
                {environment, certificate.party(), key, clock.Now()}, certificate));
        }

        EventBatchAnswer answer;
        try {
            answer = client.Send(++batchId, events);
        } catch (const TransportError& error) {
            // Only a batch that never left is known not to be registered.
            const bool neverLeft = error.kind() == TransportError::Kind::serverNotTrusted ||
                                   error.kind() == TransportError::Kind::certificateRefused ||
                                   error.kind() == TransportError::Kind::unreachable;
            if (!neverLeft) {
                for (std::size_t i = 0; i < batch.size(); ++i) {
                    sink({batch[i], CienciaOutcome::Kind::unconfirmed, 0, {}, {}, events[i]});
                }
            }
            throw;
        }
        KeepWhatLasts(answer, batch, record, clock.Now());
        for (std::size_t i = 0; i < batch.size(); ++i) {
            if (answer.cStat != kBatchProcessed) {
                sink({batch[i],
                      CienciaOutcome::Kind::refused,
                      answer.cStat,
                      answer.xMotivo,
                      {},
                      {}});
                continue;
            }
            auto result = std::find_if(answer.events.begin(), answer.events.end(),
                                       [&](const EventResult& r) { return r.key == batch[i]; });
            // An answer that leaves out the keys is read in the order of the batch.
            if (result == answer.events.end() && answer.events.size() == batch.size() &&
                answer.events[i].key.empty()) {
                result = answer.events.begin() + static_cast<std::ptrdiff_t>(i);
            }
            if (result == answer.events.end()) {
                sink({batch[i],
                      CienciaOutcome::Kind::refused,
                      0,
                      "o serviço não respondeu sobre esta chave",
                      {},
                      {}});
                continue;
            }
            sink(OutcomeOf(batch[i], events[i], *result));
        }
    }
}

}  // namespace dfe
