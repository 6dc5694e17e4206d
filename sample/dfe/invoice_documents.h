#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sample {

// What the distribution service reads out of an authorised invoice (its nfeProc) to make
// the summary and the events that it hands to the invoice's parties.
struct InvoiceFacts {
    std::string key;
    int stateCode = 0;          // cUF
    std::string issuerElement;  // "CNPJ" or "CPF"
    std::string issuerNumber;
    std::string issuerName;
    std::string issuerStateRegistration;
    std::string issued;     // dhEmi, with its UTC offset
    std::string operation;  // tpNF
    std::string total;      // vNF
    std::string digestValue;
    std::string received;  // dhRecbto
    std::string protocol;  // nProt
    // The CNPJ or CPF of those who may ask the service for it: the recipient, the carrier
    // and the third parties of autXML.
    std::vector<std::string> parties;
    std::string recipient;  // empty when the recipient has no CNPJ or CPF (abroad)
};

// Throws std::runtime_error when xml is not an nfeProc with its protocol.
InvoiceFacts ReadInvoiceFacts(std::string_view xml);

// The summary (resNFe, version 1.01) of an authorised or, with cancelled, cancelled invoice.
std::string InvoiceSummary(const InvoiceFacts& invoice, bool cancelled);
// The invoice's cancellation (event 110111, sequence 1) with its protocol (procEventoNFe),
// and its summary (resEvento).
std::string CancellationEvent(const InvoiceFacts& invoice);
std::string CancellationEventSummary(const InvoiceFacts& invoice);

}  // namespace sample
