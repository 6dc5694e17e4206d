#pragma once

#include <string>

#include "dfe/party.h"

namespace dfe {

// What registering the Ciência da Operação means, said to the person before it is sent: a
// legal act of the company, in the certificate holder's name.
std::string CienciaMeaning(const std::string& holder, const Party& party);

}  // namespace dfe
