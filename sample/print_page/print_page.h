#pragma once

#include <string>

#include "nfe/model/nfe_document.h"

namespace sample {

// The portal's print page of the full consultation for the invoice, as a whole HTML document
// in UTF-8. It has the sections, headings, labels and value formats that the conversion reads:
// the key in groups of four digits, Brazilian numbers ("1.234,56") and dates
// ("02/03/2015 14:22:31-03:00"), one cell per label with one blank between label and value,
// coded fields as "code - description", the item list with its numbered rows, the events of
// the invoice with its protocol, the instalment table, and a script block at the top as the
// real page has.
std::string RenderPrintPage(const nfe::TNFe& nfe);

}  // namespace sample
