#include "tests/dfe/support/test_certificates.h"

#include <memory>
#include <random>

#include "tests/support/temporary_directory.h"

namespace test_support {

const TestCertificates& SharedTestCertificates() {
    static const auto folder = std::make_unique<TemporaryDirectory>();
    static const TestCertificates certificates = [] {
        std::mt19937 chance{std::random_device{}()};
        TestCertificates made;
        made.password = "senha-" + std::to_string(chance());
        made.files = sample::MakeSampleCertificates(folder->path(), made.password);
        return made;
    }();
    return certificates;
}

}  // namespace test_support
