#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dfe/clock.h"
#include "dfe/file_lock.h"
#include "dfe/party.h"
#include "dfe/use_limits.h"

namespace dfe {

// What the program remembers of its use of one service for one CNPJ base (or CPF): the
// use limits, the last NSU (ultNSU) the service returned for each CNPJ of the base, the
// NSUs whose documents could not be kept yet (pending), and the keys whose Ciência the
// event service refused for good. It lives in a text file
// DATA/dfe/SERVICE-BASE.txt, with its last good state in SERVICE-BASE.previous.txt beside
// it, and the object holds a lock on it from its opening to its end, so that runs for the
// same CNPJ base go one after the other, never side by side.
class UsageRecord {
public:
    // Opens the record, creating its folder when missing. When another run holds the lock,
    // whileWaiting is called once and the opening waits for it; whileWaiting may throw
    // instead, to give up. A moment more than an hour after clock's now (written under a
    // clock that ran ahead) makes the file damaged. Throws StateError when the file cannot be
    // read or is damaged and has no good previous state.
    UsageRecord(const std::filesystem::path& dataFolder, std::string_view service,
                const Party& party, const Clock& clock,
                const std::function<void()>& whileWaiting = {});

    UseLimits& limits() { return limits_; }
    // The last NSU kept for the party's own CNPJ or CPF.
    std::optional<std::uint64_t> LastNsu() const;
    void SetLastNsu(std::uint64_t nsu);
    // The party's NSUs still to be asked one by one (consNSU), in increasing order.
    std::vector<std::uint64_t> PendingNsus() const;
    void AddPending(std::uint64_t nsu);
    void RemovePending(std::uint64_t nsu);
    // The status with which the event service refused the party's Ciência of key for good.
    std::optional<int> CienciaRefusal(std::string_view key) const;
    void KeepCienciaRefusal(const std::string& key, int cStat);
    // What the opening had to tell (a damaged file replaced by its previous state), or empty.
    const std::string& notice() const { return notice_; }
    // Writes the record in one step. Throws StateError.
    void Save() const;

    const std::filesystem::path& path() const { return path_; }

private:
    // How a moment more than an hour ahead is taken: as damage, or brought back to an hour
    // from now (the longest any hold lasts).
    enum class MomentsAhead { damage, bringBack };
    void Load(const std::filesystem::path& file, Time now, MomentsAhead ahead);
    std::filesystem::path PreviousPath() const;

    std::filesystem::path path_;
    std::string partyNumber_;
    std::unique_ptr<FileLock> lock_;
    UseLimits limits_;
    std::vector<std::pair<std::string, std::uint64_t>> lastNsus_;  // by CNPJ or CPF
    std::vector<std::pair<std::string, std::uint64_t>> pending_;   // by CNPJ or CPF
    struct CienciaRefused {
        std::string party;
        std::string key;
        int cStat;
    };
    std::vector<CienciaRefused> cienciaRefusals_;
    std::string notice_;
};

}  // namespace dfe
