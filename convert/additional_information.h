#pragma once

#include <string_view>

#include "nfe/model/nfe_document.h"

namespace convert {

// The print format and the two notes (for the tax authority, for the taxpayer) from the
// block that starts at "Informações Adicionais".
void ReadAdditionalInformation(std::string_view block, nfe::TNFe& nfe);

}  // namespace convert
