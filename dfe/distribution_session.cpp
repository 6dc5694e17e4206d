#include "dfe/distribution_session.h"

#include <algorithm>

#include "dfe/error.h"

namespace dfe {
namespace {

std::string NsuRange(std::uint64_t from, std::uint64_t to) {
    return NsuText(from) + " → " + NsuText(to);
}

}  // namespace

DistributionAnswer DistributionSession::Send(RequestKind kind, DistributionQuery query,
                                             bool& reachedEnd) {
    UseLimits& limits = record_.limits();
    if (std::optional<Hold> hold = limits.HoldFor(kind, clock_.Now())) {
        throw UseLimitReached(std::move(*hold));
    }
    const Time sentAt = clock_.Now();
    limits.RecordSent(kind, sentAt);
    record_.Save();

    DistributionAnswer answer;
    try {
        answer = client_.Ask(
            {settings_.environment, settings_.authorState, settings_.party, std::move(query)});
    } catch (const TransportError& error) {
        if (error.kind() == TransportError::Kind::serverNotTrusted ||
            error.kind() == TransportError::Kind::certificateRefused ||
            error.kind() == TransportError::Kind::unreachable) {
            limits.WithdrawSent(kind, sentAt);
            record_.Save();
        }
        throw;
    }
    reachedEnd = answer.cStat == kNoDocuments ||
                 (answer.cStat == kDocumentsFound &&
                  (!answer.maxNsu || !answer.lastNsu || *answer.lastNsu >= *answer.maxNsu));
    limits.RecordAnswer(kind, answer.cStat, reachedEnd, clock_.Now());
    record_.Save();
    return answer;
}

const ReceivedDocument* FullInvoice(const KeyAnswer& answer) {
    const auto invoice = std::find_if(
        answer.documents.begin(), answer.documents.end(),
        [](const ReceivedDocument& document) { return document.kind == DocumentKind::invoice; });
    return invoice != answer.documents.end() ? &*invoice : nullptr;
}

bool OnlySummary(const KeyAnswer& answer) {
    return FullInvoice(answer) == nullptr &&
           std::any_of(answer.documents.begin(), answer.documents.end(),
                       [](const ReceivedDocument& document) {
                           return document.kind == DocumentKind::invoiceSummary;
                       });
}

KeyAnswer DistributionSession::ConsultKey(std::string_view key) {
    bool reachedEnd = false;
    const DistributionAnswer answer =
        Send(RequestKind::consChNFe, ConsChNFe{std::string(key)}, reachedEnd);
    KeyAnswer result{answer.cStat, answer.xMotivo, {}, {}};
    if (answer.cStat == kExcessiveUse) {
        result.hold = record_.limits().HoldFor(RequestKind::consChNFe, clock_.Now());
    }
    if (answer.cStat != kDocumentsFound) {
        return result;
    }
    for (const DocZip& zip : answer.documents) {
        ReceivedDocument document = ReadReceivedDocument(zip);
        if (document.kind != DocumentKind::other && document.key != key) {
            throw AnswerError("O serviço respondeu à chave " + std::string(key) +
                              " com um documento da chave " + document.key + ".");
        }
        result.documents.push_back(std::move(document));
    }
    return result;
}

void DistributionSession::Deliver(const DocZip& zip, const DocumentSink& sink,
                                  const FailureSink& onFailure, NewDocumentsOutcome& outcome) {
    std::string reason;
    try {
        sink(ReadReceivedDocument(zip));
        record_.RemovePending(zip.nsu);
        ++outcome.delivered;
        return;
    } catch (const std::exception& error) {
        reason = error.what();
    }
    record_.AddPending(zip.nsu);
    outcome.failed.push_back(zip.nsu);
    onFailure(zip, reason);
}

NewDocumentsOutcome DistributionSession::FetchNew(std::optional<std::uint64_t> fromNsu,
                                                  const DocumentSink& sink,
                                                  const FailureSink& onFailure,
                                                  const AnswerObserver& onAnswer) {
    NewDocumentsOutcome outcome;
    const std::optional<std::uint64_t> recorded = record_.LastNsu();
    if (fromNsu && recorded && *fromNsu < *recorded) {
        throw Error("O serviço já respondeu até o NSU " + NsuText(*recorded) +
                    " para este CNPJ, e recomeçar de " + NsuText(*fromNsu) +
                    " faria o serviço bloquear as consultas do CNPJ por uma hora (656). Nenhuma "
                    "consulta foi enviada.");
    }
    outcome.lastNsu = fromNsu ? *fromNsu : recorded.value_or(0);
    const auto keep = [&](std::uint64_t nsu) {
        outcome.lastNsu = nsu;
        record_.SetLastNsu(nsu);
    };
    if (fromNsu) {
        keep(*fromNsu);
    }

    try {
        for (const std::uint64_t pending : record_.PendingNsus()) {
            bool reachedEnd = false;
            const DistributionAnswer answer =
                Send(RequestKind::consNsu, ConsNsu{pending}, reachedEnd);
            if (onAnswer) {
                onAnswer(answer);
            }
            outcome.cStat = answer.cStat;
            outcome.xMotivo = answer.xMotivo;
            if (answer.cStat == kExcessiveUse) {
                outcome.hold = record_.limits().HoldFor(RequestKind::consNsu, clock_.Now());
                return outcome;
            }
            if (answer.cStat != kDocumentsFound) {
                break;  // it stays pending, and the new documents go on
            }
            for (const DocZip& zip : answer.documents) {
                if (zip.nsu == pending) {
                    Deliver(zip, sink, onFailure, outcome);
                }
            }
            record_.Save();
        }

        for (;;) {
            const std::uint64_t asked = outcome.lastNsu;
            bool reachedEnd = false;
            const DistributionAnswer answer =
                Send(RequestKind::distNsu, DistNsu{outcome.lastNsu}, reachedEnd);
            if (onAnswer) {
                onAnswer(answer);
            }
            outcome.afterDistNsu = true;
            outcome.cStat = answer.cStat;
            outcome.xMotivo = answer.xMotivo;
            outcome.maxNsu = answer.maxNsu;
            if (answer.cStat == kExcessiveUse) {
                outcome.hold = record_.limits().HoldFor(RequestKind::distNsu, clock_.Now());
                return outcome;
            }
            if (answer.cStat != kDocumentsFound && answer.cStat != kNoDocuments) {
                return outcome;
            }

            std::vector<const DocZip*> zips;
            for (const DocZip& zip : answer.documents) {
                zips.push_back(&zip);
            }
            std::stable_sort(zips.begin(), zips.end(),
                             [](const DocZip* a, const DocZip* b) { return a->nsu < b->nsu; });
            // The cursor moves to the answer's end before any document is handed on, each of
            // them pending until it is kept: whatever stops the run now, nothing is lost and
            // the next request never goes back.
            std::uint64_t last = std::max(outcome.lastNsu, answer.lastNsu.value_or(0));
            for (const DocZip* zip : zips) {
                last = std::max(last, zip->nsu);
                record_.AddPending(zip->nsu);
            }
            keep(last);
            record_.Save();
            for (const DocZip* zip : zips) {
                Deliver(*zip, sink, onFailure, outcome);
            }
            record_.Save();
            if (answer.cStat == kNoDocuments || reachedEnd) {
                return outcome;
            }
            // An answer that does not move on would be asked again for ever.
            if (outcome.lastNsu <= asked) {
                throw AnswerError("O serviço não avançou o NSU (" +
                                  NsuRange(asked, outcome.lastNsu) +
                                  ") antes de chegar ao maior; a consulta foi interrompida.");
            }
        }
    } catch (...) {
        record_.Save();
        throw;
    }
}

}  // namespace dfe
