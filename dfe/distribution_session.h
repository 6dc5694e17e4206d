#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/clock.h"
#include "dfe/distribution_client.h"
#include "dfe/received_document.h"
#include "dfe/usage_record.h"
#include "dfe/use_limits.h"

namespace dfe {

// Who asks, and where.
struct SessionSettings {
    Environment environment = Environment::production;
    std::optional<int> authorState;  // cUFAutor
    Party party;
};

// What a key query brought.
struct KeyAnswer {
    int cStat = 0;
    std::string xMotivo;
    // With 138: the invoice (procNFe) or its summary (resNFe), then its events.
    std::vector<ReceivedDocument> documents;
    // With 656: nothing more may be sent until its end.
    std::optional<Hold> hold;
};

// The signed invoice (procNFe) that a key's answer brought, or nullptr.
const ReceivedDocument* FullInvoice(const KeyAnswer& answer);
// Whether the answer brought the invoice's summary (resNFe) and not the invoice: the service
// gives only the summary until the recipient registers the Ciência da Operação.
bool OnlySummary(const KeyAnswer& answer);

// Where a run for new documents ended.
struct NewDocumentsOutcome {
    int cStat = 0;  // of the last answer
    std::string xMotivo;
    std::uint64_t lastNsu = 0;  // kept for the next run
    std::optional<std::uint64_t> maxNsu;
    std::size_t delivered = 0;
    std::vector<std::uint64_t> failed;  // NSUs left pending by this run
    std::optional<Hold> hold;           // with 656
    bool afterDistNsu = false;          // the last answer was to a distNSU
};

// The requests of one party to the distribution service, within the service's limits of
// use, which the usage record keeps between runs. Every request waits for the previous one.
// A request counts from the moment it leaves, unless it never reached the service (no
// connection, a server that was not trusted, a certificate refused at the handshake).
class DistributionSession {
public:
    using DocumentSink = std::function<void(const ReceivedDocument&)>;
    using FailureSink = std::function<void(const DocZip&, const std::string& reason)>;
    using AnswerObserver = std::function<void(const DistributionAnswer&)>;

    DistributionSession(DistributionClient& client, UsageRecord& record, const Clock& clock,
                        SessionSettings settings)
        : client_(client), record_(record), clock_(clock), settings_(std::move(settings)) {}

    // Asks the documents of the invoice with key (44 digits). With 138 every document is
    // unpacked before any is handed back, so a broken one keeps them all back. Throws
    // UseLimitReached (nothing sent), TransportError, AnswerError (also for a document of
    // another key), StateError.
    KeyAnswer ConsultKey(std::string_view key);

    // First asks again, one by one (consNSU), the NSUs left pending by earlier runs, then
    // everything new after fromNsu, or after the NSU kept from the last run, answer after
    // answer until the last NSU reaches the largest, a refusal, or a failure. Each document
    // goes to sink in NSU order. The kept NSU always follows the ultNSU of the answers, since
    // the service holds the CNPJ base for an hour (656) when asked from below it: a document
    // that cannot be read, or that sink refuses by throwing, goes to onFailure with the
    // reason and stays pending in the record, and the others go on. fromNsu below the
    // recorded NSU is refused with Error, for the same reason. Throws as ConsultKey, and what
    // onFailure throws.
    NewDocumentsOutcome FetchNew(std::optional<std::uint64_t> fromNsu, const DocumentSink& sink,
                                 const FailureSink& onFailure, const AnswerObserver& onAnswer = {});

private:
    DistributionAnswer Send(RequestKind kind, DistributionQuery query, bool& reachedEnd);
    // Hands zip to sink, or to onFailure keeping it pending; counts it in outcome.
    void Deliver(const DocZip& zip, const DocumentSink& sink, const FailureSink& onFailure,
                 NewDocumentsOutcome& outcome);

    DistributionClient& client_;
    UsageRecord& record_;
    const Clock& clock_;
    SessionSettings settings_;
};

}  // namespace dfe
