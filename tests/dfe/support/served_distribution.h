#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sample/dfe/distribution_server.h"
#include "sample/dfe/distribution_service.h"

namespace test_support {

// The sample distribution service, with the shared test certificates, served on a free port
// of 127.0.0.1 for the length of one test.
class ServedDistribution {
public:
    explicit ServedDistribution(sample::ServiceSettings settings = {});
    ~ServedDistribution();

    // The service's address: https://127.0.0.1:PORT/NFeDistribuicaoDFe/...
    std::string Url() const;
    sample::DistributionService& service() { return service_; }
    // The server's log lines so far.
    std::vector<std::string> Log() const;

private:
    sample::DistributionService service_;
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
    std::unique_ptr<sample::DistributionServer> server_;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace test_support
