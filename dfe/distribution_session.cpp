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

NewDocumentsOutcome DistributionSession::FetchNew(std::optional<std::uint64_t> fromNsu,
                                                  const DocumentSink& sink,
                                                  const AnswerObserver& onAnswer) {
    NewDocumentsOutcome outcome;
    outcome.lastNsu = fromNsu ? *fromNsu : record_.LastNsu().value_or(0);
    const auto keep = [&](std::uint64_t nsu) {
        outcome.lastNsu = nsu;
        record_.SetLastNsu(nsu);
    };
    if (fromNsu) {
        keep(*fromNsu);
    }

    for (;;) {
        const std::uint64_t asked = outcome.lastNsu;
        bool reachedEnd = false;
        const DistributionAnswer answer =
            Send(RequestKind::distNsu, DistNsu{outcome.lastNsu}, reachedEnd);
        if (onAnswer) {
            onAnswer(answer);
        }
        outcome.cStat = answer.cStat;
        outcome.xMotivo = answer.xMotivo;
        outcome.maxNsu = answer.maxNsu;
        if (answer.cStat == kExcessiveUse) {
            outcome.hold = record_.limits().HoldFor(RequestKind::distNsu, clock_.Now());
            return outcome;
        }
        if (answer.cStat == kNoDocuments) {
            if (answer.lastNsu) {
                keep(*answer.lastNsu);
            }
            record_.Save();
            return outcome;
        }
        if (answer.cStat != kDocumentsFound) {
            return outcome;
        }

        std::vector<const DocZip*> zips;
        for (const DocZip& zip : answer.documents) {
            zips.push_back(&zip);
        }
        std::stable_sort(zips.begin(), zips.end(),
                         [](const DocZip* a, const DocZip* b) { return a->nsu < b->nsu; });
        try {
            for (const DocZip* zip : zips) {
                sink(ReadReceivedDocument(*zip));
                ++outcome.delivered;
                keep(std::max(outcome.lastNsu, zip->nsu));
            }
        } catch (...) {
            record_.Save();
            throw;
        }

        if (answer.lastNsu) {
            keep(std::max(outcome.lastNsu, *answer.lastNsu));
        }
        record_.Save();
        if (reachedEnd) {
            return outcome;
        }
        // An answer that does not move on would be asked again for ever.
        if (outcome.lastNsu <= asked) {
            throw AnswerError("O serviço não avançou o NSU (" + NsuRange(asked, outcome.lastNsu) +
                              ") antes de chegar ao maior; a consulta foi interrompida.");
        }
    }
}

}  // namespace dfe
