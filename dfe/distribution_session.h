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

// Where a run for new documents ended.
struct NewDocumentsOutcome {
    int cStat = 0;  // of the last answer
    std::string xMotivo;
    std::uint64_t lastNsu = 0;  // kept for the next run
    std::optional<std::uint64_t> maxNsu;
    std::size_t delivered = 0;
    std::optional<Hold> hold;  // with 656
};

// The requests of one party to the distribution service, within the service's limits of
// use, which the usage record keeps between runs. Every request waits for the previous one.
// A request counts from the moment it leaves, unless it never reached the service (no
// connection, a server that was not trusted, a certificate refused at the handshake).
class DistributionSession {
public:
    using DocumentSink = std::function<void(const ReceivedDocument&)>;
    using AnswerObserver = std::function<void(const DistributionAnswer&)>;

    DistributionSession(DistributionClient& client, UsageRecord& record, const Clock& clock,
                        SessionSettings settings)
        : client_(client), record_(record), clock_(clock), settings_(std::move(settings)) {}

    // Asks the documents of the invoice with key (44 digits). With 138 every document is
    // unpacked before any is handed back, so a broken one keeps them all back. Throws
    // UseLimitReached (nothing sent), TransportError, AnswerError (also for a document of
    // another key), StateError.
    KeyAnswer ConsultKey(std::string_view key);

    // Asks everything new after fromNsu, or after the NSU kept from the last run, answer
    // after answer until the last NSU reaches the largest, a refusal, or a failure. Each
    // document goes to sink in NSU order, and the kept NSU follows the last one that sink
    // took, so that a failure (a broken document, a file that cannot be written) loses
    // nothing: the next run starts again from there. Throws as ConsultKey, and what sink
    // throws.
    NewDocumentsOutcome FetchNew(std::optional<std::uint64_t> fromNsu, const DocumentSink& sink,
                                 const AnswerObserver& onAnswer = {});

private:
    DistributionAnswer Send(RequestKind kind, DistributionQuery query, bool& reachedEnd);

    DistributionClient& client_;
    UsageRecord& record_;
    const Clock& clock_;
    SessionSettings settings_;
};

}  // namespace dfe
