#pragma once

#include <string>

#include "dfe/manifestation.h"
#include "dfe/party.h"

namespace dfe {

// What registering the manifestation means, said to the person before it is sent: which
// event, that it is a legal act of the company in the certificate holder's name, and what
// the company declares with it.
std::string ManifestationMeaning(Manifestation manifestation, const std::string& holder,
                                 const Party& party);

}  // namespace dfe
