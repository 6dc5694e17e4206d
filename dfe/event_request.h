#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// The service takes at most this many events in one batch (envEvento).
inline constexpr std::size_t kMaxEventsPerBatch = 20;

// The SOAP 1.2 envelope of a batch of signed events: nfeDadosMsg › envEvento versao="1.00"
// with idLote (up to 15 digits) and the events, as UTF-8 text without white space between
// tags. The events go in exactly as signed.
std::string EventEnvelope(std::uint64_t batchId, const std::vector<std::string>& signedEvents);

// The Content-Type of the event service's SOAP 1.2 requests, with its action.
extern const std::string_view kEventContentType;

}  // namespace dfe
