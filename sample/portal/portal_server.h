#pragma once

#include <functional>
#include <memory>
#include <string>

#include "sample/portal/portal.h"

namespace sample {

// Serves the portal over HTTP on 127.0.0.1, keeping each visitor's session in a cookie and
// logging one line for each request.
class PortalServer {
public:
    using LogSink = std::function<void(const std::string& line)>;

    PortalServer(Portal portal, LogSink log);
    ~PortalServer();
    PortalServer(const PortalServer&) = delete;
    PortalServer& operator=(const PortalServer&) = delete;

    // Starts listening and returns the port; port 0 picks a free one. Throws
    // std::runtime_error when the port cannot be had.
    int Bind(int port);
    // Answers requests until Stop(); returns at once when Bind() has not succeeded.
    void Serve();
    bool IsServing() const;
    // Safe from any thread; cuts short the waits of slow pages.
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace sample
