#pragma once

#include <string>
#include <string_view>

#include "nfe/model/items.h"

namespace convert {

// The parts of an item that only some products have. Each reads the item text as the tax steps
// left it.

// The new-vehicle data, when the item has a chassis number. Throws nfe::ConversionError when
// the model year or the year of manufacture is not a whole number.
void ReadVehicle(std::string_view itemText, nfe::TveicProd& vehicle);

// One lot for each of the numbers 1 to 98 that follows a "Medicamento " in the item's medicine
// details. Throws nfe::ConversionError for a manufacturing or expiry date that is not a date.
void ReadMedicines(std::string_view itemText, nfe::TmedCollection& medicines);

// The description under the item's additional information (UTF-8); empty without one.
std::string AdditionalProductInfo(std::string_view itemText);

}  // namespace convert
