#pragma once

#include <string>
#include <vector>

#include "nfe/model/taxes.h"

namespace sample::page {

// The ICMS part of an item's detail, one cell per line: the origin, the situation (the
// two-digit CST, or for an issuer in the Simples Nacional the CSOSN), and the values of that
// situation. Each situation has its own labels and order on the page: where a generic label
// such as "Alíquota" stands, the line that carries it comes before any other line that holds
// the same words.
std::vector<std::string> IcmsCells(const nfe::TICMS& icms, bool simplesNacional);

}  // namespace sample::page
