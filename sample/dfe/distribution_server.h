#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "sample/dfe/distribution_service.h"

namespace sample {

// The address path of the service, as the national environment has it.
inline constexpr const char* kDistributionPath = "/NFeDistribuicaoDFe/NFeDistribuicaoDFe.asmx";
// And that of the event service, which the same server answers.
inline constexpr const char* kEventPath = "/NFeRecepcaoEvento4/NFeRecepcaoEvento4.asmx";

struct ServerTls {
    std::filesystem::path certificate;        // PEM, with its chain
    std::filesystem::path key;                // PEM
    std::filesystem::path clientAuthorities;  // PEM: who may sign the clients' certificates
};

// Serves the distribution service, and the event service beside it, over HTTPS on 127.0.0.1, with
// mutual TLS: a client without a certificate from the client authorities is refused at the
// handshake (with the refuse-certificate fault, every client is). Logs one line for each request.
class DistributionServer {
public:
    using LogSink = std::function<void(const std::string& line)>;

    // Throws std::runtime_error when the certificate, its key or the authorities cannot be
    // loaded.
    DistributionServer(DistributionService& service, const ServerTls& tls, LogSink log);
    ~DistributionServer();
    DistributionServer(const DistributionServer&) = delete;
    DistributionServer& operator=(const DistributionServer&) = delete;

    // Starts listening and returns the port; port 0 picks a free one. Throws
    // std::runtime_error when the port cannot be had.
    int Bind(int port);
    // Answers requests until Stop(); returns at once when Bind() has not succeeded.
    void Serve();
    bool IsServing() const;
    // Safe from any thread; cuts short the wait of slow answers.
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace sample
