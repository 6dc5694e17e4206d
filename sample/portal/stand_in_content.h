#pragma once

#include <string>

#include "sample/portal/sample_invoice.h"

namespace sample {

// Placeholder print page and XML file of a sample invoice, naming only its key and what it
// is meant to show; the invoices' real documents replace them.
std::string StandInPrintPage(const SampleInvoice& invoice);
std::string StandInXml(const SampleInvoice& invoice);

}  // namespace sample
