#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// The service's answer to one event (retEvento).
struct EventResult {
    int cStat = 0;
    std::string xMotivo;
    std::string key;           // chNFe, as it came (may be empty)
    std::string eventType;     // tpEvento
    std::string protocol;      // nProt, with a registered event
    std::string registeredAt;  // dhRegEvento
    std::string xml;           // the retEvento element alone, for procEventoNFe
};

// The service's answer to a batch of events (retEnvEvento).
struct EventBatchAnswer {
    int cStat = 0;
    std::string xMotivo;
    std::vector<EventResult> events;  // in the answer's order
};

// Status codes that the route acts on. A batch that was processed answers 128, and then each
// event has its own status; any other batch status refuses every event in it.
inline constexpr int kBatchProcessed = 128;
inline constexpr int kEventRegistered = 135;
// Registered, but the service could not link it to the invoice yet.
inline constexpr int kEventRegisteredUnlinked = 136;
// The same event was registered before.
inline constexpr int kEventDuplicate = 573;

// Whether the service's refusal of a Ciência is final: sending it again cannot change it
// (the invoice was cancelled, the period is over, the recipient manifested before).
bool IsFinalCienciaRefusal(int cStat);

// Reads the answer out of the service's SOAP text. Throws AnswerError when the text is not
// XML, holds a SOAP fault instead of an answer, or holds no readable retEnvEvento.
EventBatchAnswer ParseEventAnswer(std::string_view soap);

// The event with the service's answer to it (procEventoNFe versao="1.00"), as the file of a
// registered event: signedEvent exactly as it was sent, then retEvento.
std::string ProcessedEvent(std::string_view signedEvent, std::string_view retEvento);

}  // namespace dfe
