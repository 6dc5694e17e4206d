#pragma once

#include <string_view>

#include "danfe/invoice.h"

namespace danfe {

// Reads an authorised invoice (nfeProc with its NFe and a protNFe of status 100 or 150) of
// layout 2.00, 3.10 or 4.00. Throws Error, saying why, for anything else: text that is not
// XML, another document, an invoice without its authorisation.
Invoice ReadInvoice(std::string_view xml);

}  // namespace danfe
