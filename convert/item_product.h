#pragma once

#include <string_view>

#include "nfe/currency.h"
#include "nfe/model/items.h"

namespace convert {

// The product data of item number (description, value, codes, units, quantities, prices,
// discounts and the order item) from its item text. The order number is read later, apart.
void ReadProduct(int number, std::string_view itemText, nfe::TProd& prod);

// The product's value: the last of the summary lines that the portal prints between the item's
// marker and its line "Código do Produto"; 0 without that line.
nfe::Currency ProductValue(int number, std::string_view itemText);

}  // namespace convert
