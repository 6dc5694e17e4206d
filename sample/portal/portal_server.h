#pragma once

#include <filesystem>
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
    // Serves the download also over HTTPS on a free port, which it returns, and only there:
    // with folder's server.pem and server-key.pem, asking the client for a certificate signed by
    // folder's ca.pem. The portal's download button then leads there. Call before Serve().
    // Throws std::runtime_error when the files cannot be loaded or no port can be had.
    int BindSecureDownload(const std::filesystem::path& folder);
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
