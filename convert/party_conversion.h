#pragma once

#include <string>
#include <string_view>

#include "nfe/model/nfe_document.h"

namespace convert {

// The summaries under "EMITENTE" and "Destinatário": identification, name and registration.
void ReadEmitterSummary(std::string_view section, nfe::TEmit& emit);
void ReadRecipientSummary(std::string_view section, nfe::TDest& dest);

// The detail blocks "Dados do Emitente" and "Dados do Destinatário" with the addresses. The
// emitter's municipality also gives the invoice's state code and place of the taxable event.
void ReadEmitterDetail(std::string_view section, nfe::TNFe& nfe);
void ReadRecipientDetail(std::string_view section, nfe::TDest& dest);

// An address "STREET, NUMBER" cut at its first comma (Windows-1252). The number is at most
// ten characters, blanks kept and commas made blanks; without a comma the street is empty
// and the number is the address's first ten characters.
struct StreetAndNumber {
    std::string street;
    std::string number;
};
StreetAndNumber SplitAddress(std::string_view address);

}  // namespace convert
