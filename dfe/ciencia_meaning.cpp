#include "dfe/ciencia_meaning.h"

#include "dfe/manifestation_meaning.h"

namespace dfe {

std::string CienciaMeaning(const std::string& holder, const Party& party) {
    return ManifestationMeaning(Manifestation::ciencia, holder, party);
}

}  // namespace dfe
