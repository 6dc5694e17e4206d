#include "tests/dfe/support/test_token.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "tests/dfe/support/test_certificates.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace test_support {
namespace {

// Where Debian's softhsm2 puts its module.
constexpr const char* kSoftHsmModule = "/usr/lib/softhsm/libsofthsm2.so";

void Run(const std::string& command) {
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

std::filesystem::path Conf(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::create_directories(folder / name);
    const std::filesystem::path conf = folder / (name + ".conf");
    WriteFile(conf, "directories.tokendir = " + (folder / name).string() +
                        "\nobjectstore.backend = file\nlog.level = ERROR\n");
    return conf;
}

}  // namespace

const TestToken& SharedTestToken() {
    static const auto folder = std::make_unique<TemporaryDirectory>();
    static const TestToken token = [] {
        const TestCertificates& certificates = SharedTestCertificates();
        const std::filesystem::path& dir = folder->path();
        TestToken made{kSoftHsmModule, Conf(dir, "empty"), "4711",
                       "pkcs11:token=EMPRESA;object=empresa"};
        setenv("SOFTHSM2_CONF", Conf(dir, "tokens").c_str(), 1);
        // The sample password reaches openssl through its environment.
        setenv("VELLORA_TEST_PFX_PASSWORD", certificates.password.c_str(), 1);
        const std::string pfx = "'" + certificates.files.a1.string() + "'";
        const std::string key = "'" + (dir / "key.der").string() + "'";
        const std::string certificate = "'" + (dir / "cert.der").string() + "'";
        Run("openssl pkcs12 -in " + pfx +
            " -passin env:VELLORA_TEST_PFX_PASSWORD -nocerts -nodes | openssl pkey -outform DER "
            "-out " +
            key);
        Run("openssl pkcs12 -in " + pfx +
            " -passin env:VELLORA_TEST_PFX_PASSWORD -clcerts -nokeys | openssl x509 -outform DER "
            "-out " +
            certificate);
        unsetenv("VELLORA_TEST_PFX_PASSWORD");
        Run("softhsm2-util --init-token --free --label EMPRESA --so-pin 98765 --pin " + made.pin);
        const std::string tool = "pkcs11-tool --module " + made.module.string() +
                                 " --login --pin " + made.pin + " --id 01 --label empresa";
        Run(tool + " --write-object " + key + " --type privkey");
        Run(tool + " --write-object " + certificate + " --type cert");
        std::filesystem::remove(dir / "key.der");
        return made;
    }();
    return token;
}

}  // namespace test_support
