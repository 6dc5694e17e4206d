#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <string_view>

#include "sample/portal/portal.h"

namespace sample {

// The visitors' sessions, named by the session cookie. Not thread-safe.
class SessionStore {
public:
    explicit SessionStore(std::uint32_t seed);

    struct Opened {
        Session& session;
        // The name of a session made for this request, to be sent as the cookie; empty when
        // the request's cookie named a live session.
        std::string newId;
    };

    // The session that the Cookie header names, or a new one. The oldest sessions are
    // forgotten once there are very many.
    Opened Open(std::string_view cookieHeader);

private:
    std::map<std::string, Session, std::less<>> sessions_;
    std::deque<std::string> order_;
    std::mt19937 random_;
};

// The value of one cookie in a Cookie header, empty when it is not there.
std::string CookieValue(std::string_view cookieHeader, std::string_view name);

}  // namespace sample
