#pragma once

#include <string>

#include "nfe/model/nfe_document.h"

namespace sample::page {

// The section "Dados dos Produtos e Serviços": the header of the item list, then for every
// item its summary row (number, description, quantity, unit, value) and its detail: product
// data, vehicle, ICMS, IPI, import tax, PIS, COFINS, medicines and additional information, in
// that order. A line that holds only a number is always an item's number.
std::string ProductsSection(const nfe::TNFe& nfe);

}  // namespace sample::page
