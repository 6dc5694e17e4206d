#pragma once

#include <functional>
#include <string>
#include <vector>

namespace sample {

// One invoice that the sample distribution service holds.
struct DistributedInvoice {
    std::string key;
    std::string description;
    std::string layout;  // "3.10" or "2.00"
    bool cancelled = false;
    // Whether its recipient has registered the Ciência da Operação: until then the
    // recipient gets only the summary (resNFe).
    bool cienciaRegistered = false;
    // The authorised invoice (nfeProc), made when first asked for.
    std::function<std::string()> xml;
};

// The sample portal's invoices, but for its fault keys and its page of version 1.10; their
// recipient (the sample A1's holder) has registered its Ciência for all but three, which come
// as summaries until then.
std::vector<DistributedInvoice> SampleDistributedInvoices();

// The keys of those three.
extern const char* const kKeysWithoutCiencia[3];

}  // namespace sample
