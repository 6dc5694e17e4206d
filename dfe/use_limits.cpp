#include "dfe/use_limits.h"

#include <algorithm>

#include "dfe/distribution_answer.h"
#include "dfe/local_time.h"

namespace dfe {
namespace {

constexpr auto kHour = std::chrono::hours(1);

}  // namespace

UseLimitReached::UseLimitReached(Hold hold)
    : Error(hold.reason + " Nada foi enviado; tente de novo a partir de " +
            LocalDateTimeText(hold.until) + "."),
      hold_(std::move(hold)) {}

std::optional<Hold> UseLimits::HoldFor(RequestKind kind, Time now) const {
    if (kind == RequestKind::event) {
        if (state_.eventsBlockedUntil && now < *state_.eventsBlockedUntil) {
            return Hold{*state_.eventsBlockedUntil,
                        "O serviço de eventos bloqueou os eventos deste CNPJ por consumo indevido "
                        "(656), e um evento antes do fim do bloqueio o reinicia."};
        }
        return std::nullopt;
    }
    if (state_.blockedUntil && now < *state_.blockedUntil) {
        return Hold{*state_.blockedUntil,
                    "O serviço bloqueou as consultas por consumo indevido (656), e uma "
                    "consulta antes do fim do bloqueio o reinicia."};
    }
    if (kind == RequestKind::distNsu && state_.newDocumentsAfter &&
        now < *state_.newDocumentsAfter) {
        return Hold{*state_.newDocumentsAfter,
                    "Não havia mais documentos na última consulta, e o serviço pede uma hora "
                    "de espera antes de perguntar de novo."};
    }
    if (kind == RequestKind::consChNFe) {
        const auto recent = std::count_if(state_.keyQueries.begin(), state_.keyQueries.end(),
                                          [&](Time sent) { return now < sent + kHour; });
        if (recent >= kKeyQueriesPerHour) {
            // The oldest of the last twenty leaves the hour first.
            const Time oldest = *(state_.keyQueries.end() - kKeyQueriesPerHour);
            return Hold{oldest + kHour,
                        "Já foram feitas " + std::to_string(kKeyQueriesPerHour) +
                            " consultas por chave na última hora, o máximo que o serviço "
                            "aceita."};
        }
    }
    return std::nullopt;
}

void UseLimits::RecordSent(RequestKind kind, Time now) {
    if (kind != RequestKind::consChNFe) {
        return;
    }
    std::erase_if(state_.keyQueries, [&](Time sent) { return sent + kHour <= now; });
    state_.keyQueries.push_back(now);
    std::sort(state_.keyQueries.begin(), state_.keyQueries.end());
}

void UseLimits::WithdrawSent(RequestKind kind, Time sentAt) {
    if (kind != RequestKind::consChNFe) {
        return;
    }
    const auto sent = std::find(state_.keyQueries.begin(), state_.keyQueries.end(), sentAt);
    if (sent != state_.keyQueries.end()) {
        state_.keyQueries.erase(sent);
    }
}

void UseLimits::RecordAnswer(RequestKind kind, int cStat, bool reachedEnd, Time now) {
    if (cStat == kExcessiveUse && kind == RequestKind::event) {
        state_.eventsBlockedUntil = now + kHour;
    } else if (cStat == kExcessiveUse) {
        state_.blockedUntil = now + kHour;
    } else if (kind == RequestKind::distNsu && (cStat == kNoDocuments || reachedEnd)) {
        state_.newDocumentsAfter = now + kHour;
    }
}

}  // namespace dfe
