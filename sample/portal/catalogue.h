#pragma once

#include <string_view>
#include <vector>

#include "sample/portal/sample_invoice.h"

namespace sample {

// The invoices that the portal answers for, looked up by access key.
class Catalogue {
public:
    // Throws std::invalid_argument when two invoices share a key.
    explicit Catalogue(std::vector<SampleInvoice> invoices);

    // nullptr for a key the portal does not hold.
    const SampleInvoice* Find(std::string_view key) const;
    const std::vector<SampleInvoice>& Invoices() const { return invoices_; }

private:
    std::vector<SampleInvoice> invoices_;
};

}  // namespace sample
