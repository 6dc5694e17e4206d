#pragma once

#include <functional>
#include <string>

#include "sample/portal/fault_mode.h"

namespace sample {

// One invoice that the sample portal holds.
struct SampleInvoice {
    std::string key;          // the 44-digit access key
    std::string description;  // one line on what the invoice shows, for --list
    std::string layout;       // "4.00", "3.10", "2.00" or "1.10"
    bool cancelled = false;   // its result page raises the "NF-e CANCELADA" message
    FaultMode fault = FaultMode::none;

    // The portal's print page of the invoice (UTF-8 HTML) and the XML file that its download
    // sends. They are produced when asked for, so that a large invoice costs nothing until
    // someone consults it.
    std::function<std::string()> printPage;
    std::function<std::string()> xml;
};

}  // namespace sample
