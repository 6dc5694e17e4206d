#pragma once

#include <functional>
#include <string_view>

#include "nfe/model/nfe_document.h"

namespace convert {

// Reads every item of the products block (Windows-1252, the text before "|&|Totais|&|")
// into nfe.Det, with its product data, vehicle, medicines, additional information and taxes.
//
// Items are appended in number order; a number whose cut text is empty gets no item, so nItem may
// skip numbers (see CutItemTexts). Lets the GUI handle its pending events once, before the items
// are counted. Throws nfe::ConversionError, naming the item, when a vehicle year or a medicine
// date cannot be read.
void ConvertItems(std::string_view productsBlock, nfe::TNFe& nfe,
                  const std::function<void()>& processPendingEvents);

}  // namespace convert
