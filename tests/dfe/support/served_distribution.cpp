#include "tests/dfe/support/served_distribution.h"

#include <chrono>

#include "sample/dfe/distributed_invoices.h"
#include "tests/dfe/support/test_certificates.h"

namespace test_support {

ServedDistribution::ServedDistribution(sample::ServiceSettings settings)
    : service_(sample::SampleDistributedInvoices(), settings) {
    const sample::SampleCertificates& files = SharedTestCertificates().files;
    server_ = std::make_unique<sample::DistributionServer>(
        service_, sample::ServerTls{files.server, files.serverKey, files.authority},
        [this](const std::string& line) {
            const std::lock_guard lock(mutex_);
            log_.push_back(line);
        });
    port_ = server_->Bind(0);
    thread_ = std::thread([this] { server_->Serve(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!server_->IsServing() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

ServedDistribution::~ServedDistribution() {
    server_->Stop();
    thread_.join();
}

std::string ServedDistribution::Url() const {
    return "https://127.0.0.1:" + std::to_string(port_) + sample::kDistributionPath;
}

std::vector<std::string> ServedDistribution::Log() const {
    const std::lock_guard lock(mutex_);
    return log_;
}

}  // namespace test_support
