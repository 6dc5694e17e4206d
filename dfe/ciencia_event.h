#pragma once

#include <string>
#include <string_view>

#include "dfe/certificate.h"
#include "dfe/clock.h"
#include "dfe/distribution_request.h"
#include "dfe/party.h"

namespace dfe {

// The recipient's "Ciência da Operação" (event 210210, sequence 1): the recipient declares
// that it knows of the invoice's operation, which the distribution service asks before it
// hands the recipient the full invoice.
inline constexpr std::string_view kCienciaEventType = "210210";
inline constexpr int kCienciaSequence = 1;

struct CienciaEvent {
    Environment environment = Environment::production;
    Party author;     // the certificate's CNPJ or CPF
    std::string key;  // 44 digits
    Time moment;      // dhEvento
};

// "ID" + event type + key + the sequence in two digits: the infEvento's Id.
std::string CienciaEventId(std::string_view key);

// dhEvento: the moment in Brasília's time with its offset, "2026-12-10T21:30:00-03:00".
std::string EventMomentText(Time moment);

// The event (evento versao="1.00" › infEvento, signed with the certificate) as text, without
// an XML declaration and without white space between tags, ready for envEvento and for
// procEventoNFe. Throws Error when it cannot be signed.
std::string SignedCienciaEvent(const CienciaEvent& event, const CompanyCertificate& certificate);

// "KEY-210210-01-procEventoNFe.xml", the file of a registered Ciência; key must be checked
// digits.
std::string CienciaFileName(std::string_view key);

}  // namespace dfe
