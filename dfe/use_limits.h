#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dfe/clock.h"
#include "dfe/error.h"

namespace dfe {

// The distribution's three requests, and a batch of events sent to the event service.
enum class RequestKind { distNsu, consNsu, consChNFe, event };

// Why a request must wait, and until when.
struct Hold {
    Time until;
    std::string reason;  // a Portuguese sentence
};

// A request that the program holds back to respect the service's limits; nothing was sent.
class UseLimitReached : public Error {
public:
    explicit UseLimitReached(Hold hold);
    const Hold& hold() const { return hold_; }

private:
    Hold hold_;
};

// The service's limits of use for one party, as the program keeps them: at most 20 key
// queries (consChNFe) in any hour; after an answer of no documents (137), or once the last
// NSU reaches the largest (ultNSU = maxNSU), no distNSU for an hour; after "consumo
// indevido" (656), nothing for an hour, because a request inside the block starts it again.
// Times come from outside, so that the schedule is the same under a test's clock.
class UseLimits {
public:
    static constexpr int kKeyQueriesPerHour = 20;

    // Why a request of this kind may not be sent at now; nullopt when it may.
    std::optional<Hold> HoldFor(RequestKind kind, Time now) const;
    // A request of this kind leaves at now (counted before it is sent, so that a request
    // whose answer never came still counts).
    void RecordSent(RequestKind kind, Time now);
    // The request recorded at sentAt never reached the service (no connection, a server
    // that was not trusted): it does not count.
    void WithdrawSent(RequestKind kind, Time sentAt);
    // The service answered cStat at now; reachedEnd tells that ultNSU reached maxNSU.
    void RecordAnswer(RequestKind kind, int cStat, bool reachedEnd, Time now);

    // The state, for keeping it between runs.
    struct State {
        std::optional<Time> blockedUntil;        // after 656: every distribution request
        std::optional<Time> eventsBlockedUntil;  // after 656 from the event service
        std::optional<Time> newDocumentsAfter;   // distNSU
        std::vector<Time> keyQueries;            // consChNFe of the last hour, oldest first
    };
    const State& state() const { return state_; }
    explicit UseLimits(State state = {}) : state_(std::move(state)) {}

private:
    State state_;
};

}  // namespace dfe
