#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "nfe/model/nfe_document.h"

namespace convert {

// The message shown for a page in the old layout 1.10 before its conversion stops.
extern const std::string kOldLayoutMessage;

// Access key, invoice number, layout version and numeric code, from the top of the page. A
// page in layout 1.10 hands kOldLayoutMessage to showMessage and throws OldLayoutAborted; a
// page of a layout newer than 3.10 is read as 3.10, and showNotice says so.
void ReadPageTop(std::string_view section, nfe::TNFe& nfe,
                 const std::function<void(const std::string&)>& showMessage,
                 const std::function<void(const std::string&)>& showNotice);

// Emission and exit dates, the invoice total and the model and series from the key.
void ReadInvoiceData(std::string_view section, nfe::TNFe& nfe);

// Emission process and type, purpose, nature, direction, payment, digest and status.
void ReadEmissionAndStatus(std::string_view section, nfe::TNFe& nfe);

// The layout version as the page writes it, read with the decimal comma; 3.1 for any text
// that is not such a number.
double LayoutVersion(std::string_view text);

}  // namespace convert
