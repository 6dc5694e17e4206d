#include "sample/portal/session_store.h"

#include "sample/portal/portal_addresses.h"

namespace sample {
namespace {

constexpr std::size_t kMaxSessions = 10000;

}  // namespace

SessionStore::SessionStore(std::uint32_t seed) : random_(seed) {}

SessionStore::Opened SessionStore::Open(std::string_view cookieHeader) {
    const auto live = sessions_.find(CookieValue(cookieHeader, kSessionCookie));
    if (live != sessions_.end()) {
        return {live->second, {}};
    }

    // Twenty-four characters from a to z and 0 to 5, as ASP.NET names its sessions.
    static constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz012345";
    std::string id;
    do {
        id.clear();
        for (int i = 0; i < 24; ++i) {
            id += kAlphabet[std::uniform_int_distribution<int>(0, kAlphabet.size() - 1)(random_)];
        }
    } while (sessions_.contains(id));

    if (order_.size() == kMaxSessions) {
        sessions_.erase(order_.front());
        order_.pop_front();
    }
    order_.push_back(id);
    return {sessions_[id], id};
}

std::string CookieValue(std::string_view cookieHeader, std::string_view name) {
    while (!cookieHeader.empty()) {
        const auto end = cookieHeader.find(';');
        std::string_view pair = cookieHeader.substr(0, end);
        cookieHeader = end == std::string_view::npos ? "" : cookieHeader.substr(end + 1);
        while (pair.starts_with(' ')) {
            pair.remove_prefix(1);
        }
        const auto equals = pair.find('=');
        if (equals != std::string_view::npos && pair.substr(0, equals) == name) {
            return std::string(pair.substr(equals + 1));
        }
    }
    return {};
}

}  // namespace sample
