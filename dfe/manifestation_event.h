#pragma once

#include <string>
#include <string_view>

#include "dfe/certificate.h"
#include "dfe/clock.h"
#include "dfe/distribution_request.h"
#include "dfe/manifestation.h"
#include "dfe/party.h"

namespace dfe {

// The recipient sends each manifestation once per invoice: sequence 1.
inline constexpr int kManifestationSequence = 1;

struct ManifestationEvent {
    Manifestation manifestation = Manifestation::ciencia;
    Environment environment = Environment::production;
    Party author;     // the certificate's CNPJ or CPF
    std::string key;  // 44 digits
    Time moment;      // dhEvento
    // xJust, for Operação não Realizada only, as CheckedJustification gives it.
    std::string justification;
};

// "ID" + event type + key + the sequence in two digits: the infEvento's Id.
std::string ManifestationEventId(Manifestation manifestation, std::string_view key);

// dhEvento: the moment in Brasília's time with its offset, "2026-12-10T21:30:00-03:00".
std::string EventMomentText(Time moment);

// The event (evento versao="1.00" › infEvento, signed with the certificate) as text, without
// an XML declaration and without white space between tags, ready for envEvento and for
// procEventoNFe. Throws Error when it cannot be signed.
std::string SignedManifestationEvent(const ManifestationEvent& event,
                                     const A1Certificate& certificate);

// "KEY-210200-01-procEventoNFe.xml", the file of a registered manifestation, and
// "KEY-210200-01-evento.xml", the signed event kept when its answer never came; key must be
// checked characters.
std::string ManifestationFileName(Manifestation manifestation, std::string_view key);
std::string UnansweredEventFileName(Manifestation manifestation, std::string_view key);

}  // namespace dfe
