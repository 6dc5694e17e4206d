#include "dfe/usage_record.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "files/atomic_file.h"
#include "text/integer.h"

namespace dfe {
namespace {

constexpr std::string_view kBlockedUntil = "blocked-until";
constexpr std::string_view kEventsBlockedUntil = "events-blocked-until";
constexpr std::string_view kNewDocumentsAfter = "new-documents-after";
constexpr std::string_view kKeyQuery = "key-query";
constexpr std::string_view kLastNsu = "last-nsu";
constexpr std::string_view kPendingNsu = "pending-nsu";
constexpr std::string_view kCienciaRefused = "ciencia-refused";
// The year 3000: later moments are no clock's, and would overflow the clock's arithmetic.
constexpr std::int64_t kLatestSeconds = 32'503'680'000;
// No hold lasts longer: a later moment was written under a clock that ran ahead.
constexpr auto kLongestHold = std::chrono::hours(1);

std::int64_t SecondsOf(Time moment) {
    return std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
}

}  // namespace

UsageRecord::UsageRecord(const std::filesystem::path& dataFolder, std::string_view service,
                         const Party& party, const Clock& clock,
                         const std::function<void()>& whileWaiting)
    : partyNumber_(party.number) {
    const std::filesystem::path folder = dataFolder / "dfe";
    const std::string name = std::string(service) + "-" + party.Base();
    path_ = folder / (name + ".txt");

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    lock_ = std::make_unique<FileLock>(folder / (name + ".lock"), whileWaiting);

    const Time now = clock.Now();
    const auto startAfresh = [this] {
        limits_ = UseLimits();
        lastNsus_.clear();
        pending_.clear();
        cienciaRefusals_.clear();
    };
    try {
        Load(path_, now, MomentsAhead::damage);
        return;
    } catch (const StateError& damaged) {
        notice_ = damaged.what();
    }
    const bool hasPrevious = std::filesystem::exists(PreviousPath());
    if (hasPrevious) {
        try {
            startAfresh();
            Load(PreviousPath(), now, MomentsAhead::damage);
            notice_ += " O estado anterior, guardado em \"" + PreviousPath().string() +
                       "\", foi usado no lugar dele.";
            return;
        } catch (const StateError&) {
            // Both were written by the same run; a clock that ran ahead then spoils both.
        }
    }
    try {
        startAfresh();
        Load(path_, now, MomentsAhead::bringBack);
        notice_ +=
            " Ele traz um momento mais de uma hora à frente do relógio (o relógio estava "
            "adiantado quando foi gravado); os bloqueios passam a terminar em até uma "
            "hora.";
    } catch (const StateError& damaged) {
        if (hasPrevious) {
            throw StateError(notice_ + " O estado anterior, em \"" + PreviousPath().string() +
                             "\", também está danificado.");
        }
        throw StateError(std::string(damaged.what()) +
                         " Corrija-o; sem ele, os limites de uso seriam esquecidos e "
                         "os documentos novos recomeçariam do NSU 0, que o serviço "
                         "recusa (656) depois de ter ido além.");
    }
}

std::filesystem::path UsageRecord::PreviousPath() const {
    std::filesystem::path previous = path_;
    return previous.replace_extension(".previous.txt");
}

void UsageRecord::Load(const std::filesystem::path& file, Time now, MomentsAhead ahead) {
    std::ifstream in(file);
    if (!in) {
        if (std::filesystem::exists(file)) {
            throw StateError("Não foi possível ler \"" + file.string() + "\".");
        }
        return;
    }
    const Time latest = now + kLongestHold;
    UseLimits::State state;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream fields(line);
        std::string name, first, second, third;
        fields >> name >> first >> second >> third;
        if (name.empty() || name.front() == '#') {
            continue;
        }
        const auto damaged = [&] {
            return StateError("O arquivo \"" + file.string() + "\" está danificado na linha " +
                              std::to_string(number) + ".");
        };
        if (name == kLastNsu || name == kPendingNsu) {
            const auto nsu = text::ParseInteger<std::uint64_t>(second);
            if (!PartyFromNumber(first) || !nsu) {
                throw damaged();
            }
            (name == kLastNsu ? lastNsus_ : pending_).emplace_back(first, *nsu);
            continue;
        }
        if (name == kCienciaRefused) {
            const auto cStat = text::ParseInteger<int>(third);
            if (!PartyFromNumber(first) || second.size() != 44 || !cStat) {
                throw damaged();
            }
            cienciaRefusals_.push_back({first, second, *cStat});
            continue;
        }
        if (name != kBlockedUntil && name != kEventsBlockedUntil && name != kNewDocumentsAfter &&
            name != kKeyQuery) {
            continue;  // written by a later version
        }
        const auto seconds = text::ParseInteger<std::int64_t>(first);
        if (!seconds || *seconds < 0 || *seconds > kLatestSeconds) {
            throw damaged();
        }
        Time moment{std::chrono::seconds(*seconds)};
        if (moment > latest) {
            if (ahead == MomentsAhead::damage) {
                throw damaged();
            }
            moment = name == kKeyQuery ? now : latest;
        }
        if (name == kBlockedUntil) {
            state.blockedUntil = moment;
        } else if (name == kEventsBlockedUntil) {
            state.eventsBlockedUntil = moment;
        } else if (name == kNewDocumentsAfter) {
            state.newDocumentsAfter = moment;
        } else {
            state.keyQueries.push_back(moment);
        }
    }
    std::sort(state.keyQueries.begin(), state.keyQueries.end());
    limits_ = UseLimits(std::move(state));
}

std::optional<std::uint64_t> UsageRecord::LastNsu() const {
    for (const auto& [number, nsu] : lastNsus_) {
        if (number == partyNumber_) {
            return nsu;
        }
    }
    return std::nullopt;
}

void UsageRecord::SetLastNsu(std::uint64_t nsu) {
    for (auto& [number, kept] : lastNsus_) {
        if (number == partyNumber_) {
            kept = nsu;
            return;
        }
    }
    lastNsus_.emplace_back(partyNumber_, nsu);
}

std::vector<std::uint64_t> UsageRecord::PendingNsus() const {
    std::vector<std::uint64_t> nsus;
    for (const auto& [number, nsu] : pending_) {
        if (number == partyNumber_) {
            nsus.push_back(nsu);
        }
    }
    std::sort(nsus.begin(), nsus.end());
    return nsus;
}

void UsageRecord::AddPending(std::uint64_t nsu) {
    const std::pair<std::string, std::uint64_t> entry{partyNumber_, nsu};
    if (std::find(pending_.begin(), pending_.end(), entry) == pending_.end()) {
        pending_.push_back(entry);
    }
}

void UsageRecord::RemovePending(std::uint64_t nsu) {
    std::erase(pending_, std::pair<std::string, std::uint64_t>{partyNumber_, nsu});
}

std::optional<int> UsageRecord::CienciaRefusal(std::string_view key) const {
    for (const CienciaRefused& refused : cienciaRefusals_) {
        if (refused.party == partyNumber_ && refused.key == key) {
            return refused.cStat;
        }
    }
    return std::nullopt;
}

void UsageRecord::KeepCienciaRefusal(const std::string& key, int cStat) {
    if (!CienciaRefusal(key)) {
        cienciaRefusals_.push_back({partyNumber_, key, cStat});
    }
}

void UsageRecord::Save() const {
    const UseLimits::State& state = limits_.state();
    std::string text =
        "# What vellora-dfe keeps of its use of the NF-e distribution and event services: the "
        "moments\n# (seconds since 1970, UTC) that its limits depend on, the last NSU returned "
        "for each CNPJ,\n# the NSUs whose documents are still to be asked one by one, and the "
        "keys whose Ciência\n# was refused for good.\n";
    if (state.blockedUntil) {
        text += std::string(kBlockedUntil) + " " + std::to_string(SecondsOf(*state.blockedUntil)) +
                "\n";
    }
    if (state.eventsBlockedUntil) {
        text += std::string(kEventsBlockedUntil) + " " +
                std::to_string(SecondsOf(*state.eventsBlockedUntil)) + "\n";
    }
    if (state.newDocumentsAfter) {
        text += std::string(kNewDocumentsAfter) + " " +
                std::to_string(SecondsOf(*state.newDocumentsAfter)) + "\n";
    }
    for (const Time sent : state.keyQueries) {
        text += std::string(kKeyQuery) + " " + std::to_string(SecondsOf(sent)) + "\n";
    }
    for (const auto& [number, nsu] : lastNsus_) {
        text += std::string(kLastNsu) + " " + number + " " + std::to_string(nsu) + "\n";
    }
    for (const auto& [number, nsu] : pending_) {
        text += std::string(kPendingNsu) + " " + number + " " + std::to_string(nsu) + "\n";
    }
    for (const CienciaRefused& refused : cienciaRefusals_) {
        text += std::string(kCienciaRefused) + " " + refused.party + " " + refused.key + " " +
                std::to_string(refused.cStat) + "\n";
    }
    try {
        files::WriteFileAtomically(path_, text, files::Readers::ownerOnly);
        // The same good state beside it, for when the record itself gets damaged.
        files::WriteFileAtomically(PreviousPath(), text, files::Readers::ownerOnly);
    } catch (const files::FileError& error) {
        throw StateError(error.what());
    }
}

}  // namespace dfe
