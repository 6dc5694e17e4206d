#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sample/portal/sample_invoice.h"

namespace sample {

// The invoices that come with the sample portal: one for each kind of content the program
// converts, then one for each fault mode that a key can choose.
std::vector<SampleInvoice> BundledSampleInvoices();

// A valid access key from its fields written with blanks between them ("35 1507
// 61024385000111 55 001 000000101 1 10203040"): the digits with their check digit.
std::string KeyWithCheckDigit(std::string_view fields);

}  // namespace sample
