#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/clock.h"
#include "dfe/distribution_request.h"
#include "dfe/party.h"
#include "sample/dfe/distributed_invoices.h"
#include "sample/dfe/distribution_fault.h"
#include "sample/dfe/invoice_documents.h"

namespace sample {

struct ServiceSettings {
    DistributionFault fault = DistributionFault::none;
    int burst = 3;  // requests of a CNPJ base answered before excessive-use answers 656
    std::chrono::seconds slowDelay{5};
    std::size_t batchSize = 50;  // docZips in one answer, at most
    dfe::Environment environment = dfe::Environment::production;
    const dfe::Clock* clock = nullptr;  // the system's when none
};

// What the server sends back for one request.
struct ServiceReply {
    int status = 200;
    std::string contentType = "application/soap+xml; charset=utf-8";
    std::string body;
    std::chrono::seconds delay{0};  // how long the answer is held back
    std::string summary;            // one line for the log
};

// The sample distribution service's answers (retDistDFeInt) to distDFeInt requests. Each
// party (CNPJ or CPF) has its own sequence of NSUs: every invoice it is a party of (as
// recipient, carrier or autXML), then its cancellation where it has one, numbered from 1 in
// the order of the invoices. A recipient gets summaries (resNFe, resEvento) until it
// registers its Ciência, the full documents (procNFe, procEventoNFe) after it. As the real
// service does, a distNSU from below the ultNSU last returned to its party gets 656, and the
// party's CNPJ base gets nothing but 656 for the next hour. Safe from any thread.
class DistributionService {
public:
    DistributionService(std::vector<DistributedInvoice> invoices, ServiceSettings settings);

    // requestBody is the SOAP text; client, the party named by the client's certificate.
    ServiceReply Answer(std::string_view requestBody, const std::optional<dfe::Party>& client);

    // The recipient of the invoice registers its Ciência: it gets the full documents from
    // now on, and its sequence gains them under new NSUs. Throws std::invalid_argument for a
    // key the service does not hold.
    void RegisterCiencia(std::string_view key);

    // What the event service needs to know of an invoice.
    struct Standing {
        std::string recipient;  // empty when the recipient has no CNPJ or CPF (abroad)
        bool cancelled = false;
        bool cienciaRegistered = false;
    };
    // nullopt for a key the service does not hold.
    std::optional<Standing> StandingOf(std::string_view key);

    // Requests answered so far, whatever their outcome.
    std::size_t RequestCount() const;
    const ServiceSettings& settings() const { return settings_; }

private:
    struct Stored {
        std::uint64_t nsu;
        std::string schema;
        std::string key;
        std::string xml;
    };
    struct Document {
        std::string schema;
        std::string xml;
    };
    struct Parsed;

    ServiceReply Reply(const Parsed& request);
    dfe::Time Now() const;
    const InvoiceFacts& FactsOf(std::size_t index);
    std::vector<Document> DocumentsOf(std::size_t index, const std::string& party);
    std::vector<Stored>& SequenceOf(const std::string& party);
    std::string Envelope(int cStat, std::uint64_t lastNsu, std::uint64_t maxNsu,
                         const std::vector<const Stored*>& documents,
                         bool breakNsuTwo = false) const;

    mutable std::mutex mutex_;
    std::vector<DistributedInvoice> invoices_;
    std::vector<std::optional<InvoiceFacts>> facts_;
    ServiceSettings settings_;
    std::map<std::string, std::vector<Stored>> sequences_;  // by CNPJ or CPF
    std::map<std::string, int> requestsByBase_;
    std::map<std::string, std::uint64_t> lastReturned_;  // ultNSU of distNSU, by party
    std::map<std::string, dfe::Time> blockedUntil_;      // by CNPJ base
    std::size_t requests_ = 0;
};

}  // namespace sample
