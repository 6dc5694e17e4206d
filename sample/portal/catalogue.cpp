#include "sample/portal/catalogue.h"

#include <algorithm>
#include <stdexcept>

namespace sample {

Catalogue::Catalogue(std::vector<SampleInvoice> invoices) : invoices_(std::move(invoices)) {
    for (auto it = invoices_.begin(); it != invoices_.end(); ++it) {
        if (std::any_of(invoices_.begin(), it,
                        [&](const SampleInvoice& other) { return other.key == it->key; })) {
            throw std::invalid_argument("two sample invoices share the key " + it->key);
        }
    }
}

const SampleInvoice* Catalogue::Find(std::string_view key) const {
    const auto found =
        std::find_if(invoices_.begin(), invoices_.end(),
                     [key](const SampleInvoice& invoice) { return invoice.key == key; });
    return found == invoices_.end() ? nullptr : &*found;
}

}  // namespace sample
