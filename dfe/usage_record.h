#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dfe/party.h"
#include "dfe/use_limits.h"

namespace dfe {

// What the program remembers of its use of one service for one CNPJ base (or CPF): the
// use limits, and the last NSU seen for each CNPJ of the base. It lives in a text file
// DATA/dfe/SERVICE-BASE.txt, and the object holds a lock on it from its opening to its end,
// so that runs for the same CNPJ base go one after the other, never side by side.
class UsageRecord {
public:
    // Opens the record, creating its folder when missing. When another run holds the lock,
    // whileWaiting is called once and the opening waits for it; whileWaiting may throw
    // instead, to give up. Throws StateError when the file cannot be read or is damaged.
    UsageRecord(const std::filesystem::path& dataFolder, std::string_view service,
                const Party& party, const std::function<void()>& whileWaiting = {});
    ~UsageRecord();
    UsageRecord(const UsageRecord&) = delete;
    UsageRecord& operator=(const UsageRecord&) = delete;

    UseLimits& limits() { return limits_; }
    // The last NSU kept for the party's own CNPJ or CPF.
    std::optional<std::uint64_t> LastNsu() const;
    void SetLastNsu(std::uint64_t nsu);
    // Writes the record in one step. Throws StateError.
    void Save() const;

    const std::filesystem::path& path() const { return path_; }

private:
    void Load();

    std::filesystem::path path_;
    std::string partyNumber_;
    int lock_ = -1;
    UseLimits limits_;
    std::vector<std::pair<std::string, std::uint64_t>> lastNsus_;  // by CNPJ or CPF
};

}  // namespace dfe
