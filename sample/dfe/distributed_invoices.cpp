#include "sample/dfe/distributed_invoices.h"

#include <algorithm>
#include <string_view>

#include "sample/portal/sample_invoices.h"

namespace sample {

// The billing invoice, the one with notes for the fisco and the taxpayer, and the one issued by
// a company whose CNPJ holds letters.
const char* const kKeysWithoutCiencia[3] = {"35160361024385000111550010000001091901020309",
                                            "41160408765432000103550010000002101112131415",
                                            "35260912ABC34501DE35550010000012341123456788"};

std::vector<DistributedInvoice> SampleDistributedInvoices() {
    std::vector<DistributedInvoice> invoices;
    for (SampleInvoice& invoice : BundledSampleInvoices()) {
        if (invoice.fault != FaultMode::none || invoice.layout == "1.10") {
            continue;
        }
        const bool withoutCiencia =
            std::find(std::begin(kKeysWithoutCiencia), std::end(kKeysWithoutCiencia),
                      std::string_view(invoice.key)) != std::end(kKeysWithoutCiencia);
        invoices.push_back({invoice.key, invoice.description, invoice.layout, invoice.cancelled,
                            !withoutCiencia, std::move(invoice.xml)});
    }
    return invoices;
}

}  // namespace sample
