#pragma once

#include <string>
#include <string_view>

#include "dfe/manifestation_event.h"

namespace dfe {

// The recipient's "Ciência da Operação" (event 210210, sequence 1): the recipient declares
// that it knows of the invoice's operation, which the distribution service asks before it
// hands the recipient the full invoice.
inline constexpr std::string_view kCienciaEventType = "210210";
inline constexpr int kCienciaSequence = kManifestationSequence;

struct CienciaEvent {
    Environment environment = Environment::production;
    Party author;     // the certificate's CNPJ or CPF
    std::string key;  // 44 digits
    Time moment;      // dhEvento
};

// "ID" + event type + key + the sequence in two digits: the infEvento's Id.
std::string CienciaEventId(std::string_view key);

// The signed event, as SignedManifestationEvent writes it. Throws Error when it cannot be
// signed.
std::string SignedCienciaEvent(const CienciaEvent& event, const A1Certificate& certificate);

// "KEY-210210-01-procEventoNFe.xml", the file of a registered Ciência; key must be checked
// digits.
std::string CienciaFileName(std::string_view key);

}  // namespace dfe
