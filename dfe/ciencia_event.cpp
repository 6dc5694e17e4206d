#include "dfe/ciencia_event.h"

namespace dfe {

std::string CienciaEventId(std::string_view key) {
    return ManifestationEventId(Manifestation::ciencia, key);
}

std::string CienciaFileName(std::string_view key) {
    return ManifestationFileName(Manifestation::ciencia, key);
}

std::string SignedCienciaEvent(const CienciaEvent& event, const A1Certificate& certificate) {
    return SignedManifestationEvent(
        {Manifestation::ciencia, event.environment, event.author, event.key, event.moment, {}},
        certificate);
}

}  // namespace dfe
