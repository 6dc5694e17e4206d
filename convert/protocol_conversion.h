#pragma once

#include <string_view>

#include "nfe/model/protocol.h"

namespace convert {

// The authorization protocol's number and receipt time, from the emission and status block:
// the cells that follow the heading "Data / Hora AN" (or "Recebimento no Amb. Nacional"),
// with the labels "Protocolo" and "Data/Hora" of the same block as fall-backs.
void ReadProtocol(std::string_view section, nfe::TProcNFe& protocol);

}  // namespace convert
