#include "dfe/usage_record.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "files/atomic_file.h"
#include "text/integer.h"

namespace dfe {
namespace {

constexpr std::string_view kBlockedUntil = "blocked-until";
constexpr std::string_view kNewDocumentsAfter = "new-documents-after";
constexpr std::string_view kKeyQuery = "key-query";
constexpr std::string_view kLastNsu = "last-nsu";
// The year 3000: later moments are no clock's, and would overflow the clock's arithmetic.
constexpr std::int64_t kLatestSeconds = 32'503'680'000;

std::int64_t SecondsOf(Time moment) {
    return std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
}

}  // namespace

UsageRecord::UsageRecord(const std::filesystem::path& dataFolder, std::string_view service,
                         const Party& party, const std::function<void()>& whileWaiting)
    : partyNumber_(party.number) {
    const std::filesystem::path folder = dataFolder / "dfe";
    const std::string name = std::string(service) + "-" + party.Base();
    path_ = folder / (name + ".txt");

    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path lockPath = folder / (name + ".lock");
    lock_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock_ < 0) {
        throw StateError("Não foi possível abrir \"" + lockPath.string() +
                         "\": " + std::strerror(errno));
    }
    try {
        if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
            if (whileWaiting) {
                whileWaiting();
            }
            while (::flock(lock_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
        Load();
    } catch (...) {
        ::close(lock_);
        throw;
    }
}

UsageRecord::~UsageRecord() {
    ::close(lock_);
}

void UsageRecord::Load() {
    std::ifstream in(path_);
    if (!in) {
        if (std::filesystem::exists(path_)) {
            throw StateError("Não foi possível ler \"" + path_.string() + "\".");
        }
        return;
    }
    UseLimits::State state;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream fields(line);
        std::string name, first, second;
        fields >> name >> first >> second;
        if (name.empty() || name.front() == '#') {
            continue;
        }
        const auto damaged = [&] {
            return StateError("O arquivo \"" + path_.string() + "\" está danificado na linha " +
                              std::to_string(number) +
                              ". Corrija-o ou apague-o; sem ele, os documentos novos recomeçam "
                              "do NSU 0 e os limites de uso são esquecidos.");
        };
        if (name == kLastNsu) {
            const auto nsu = text::ParseInteger<std::uint64_t>(second);
            if (!PartyFromNumber(first) || !nsu) {
                throw damaged();
            }
            lastNsus_.emplace_back(first, *nsu);
            continue;
        }
        if (name != kBlockedUntil && name != kNewDocumentsAfter && name != kKeyQuery) {
            continue;  // written by a later version
        }
        const auto seconds = text::ParseInteger<std::int64_t>(first);
        if (!seconds || *seconds < 0 || *seconds > kLatestSeconds) {
            throw damaged();
        }
        const Time moment{std::chrono::seconds(*seconds)};
        if (name == kBlockedUntil) {
            state.blockedUntil = moment;
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

void UsageRecord::Save() const {
    const UseLimits::State& state = limits_.state();
    std::string text =
        "# What vellora-dfe keeps of its use of the NF-e distribution service: the moments "
        "(seconds\n# since 1970, UTC) that its limits depend on, and the last NSU seen for "
        "each CNPJ.\n";
    if (state.blockedUntil) {
        text += std::string(kBlockedUntil) + " " + std::to_string(SecondsOf(*state.blockedUntil)) +
                "\n";
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
    try {
        files::WriteFileAtomically(path_, text);
    } catch (const files::FileError& error) {
        throw StateError(error.what());
    }
}

}  // namespace dfe
