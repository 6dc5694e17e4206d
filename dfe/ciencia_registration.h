#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dfe/manifestation_registration.h"

namespace dfe {

// What became of the Ciência da Operação of one key.
using CienciaOutcome = ManifestationOutcome;

// RegisterManifestation with the Ciência da Operação.
inline void RegisterCiencia(EventClient& client, const A1Certificate& certificate,
                            Environment environment, const Clock& clock, UsageRecord& record,
                            const std::vector<std::string>& keys,
                            const std::function<void(const CienciaOutcome&)>& sink) {
    RegisterManifestation(client, certificate, environment, clock, record,
                          {Manifestation::ciencia, {}}, keys, sink);
}

}  // namespace dfe
