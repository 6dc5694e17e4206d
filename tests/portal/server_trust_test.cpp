#include "portal/server_trust.h"

#include <gtest/gtest.h>

#include <QSslCertificate>

#include "tests/dfe/support/test_certificates.h"

namespace portal {
namespace {

std::vector<std::string> DerChain(const std::filesystem::path& pem) {
    std::vector<std::string> chain;
    for (const auto& certificate :
         QSslCertificate::fromPath(QString::fromStdString(pem.string()))) {
        chain.push_back(certificate.toDer().toStdString());
    }
    return chain;
}

TEST(ServerTrust, OnlyAChainOfATrustedAuthorityForItsOwnHost) {
    const auto& files = test_support::SharedTestCertificates().files;
    const auto server = DerChain(files.server);
    ASSERT_FALSE(server.empty());
    struct Case {
        const char* name;
        std::vector<std::string> chain;
        std::string host;
        std::vector<std::filesystem::path> authorities;
        bool trusted;
    };
    const Case cases[] = {
        {"address", server, "127.0.0.1", {files.authority}, true},
        {"name", server, "localhost", {files.authority}, true},
        {"another host", server, "www.nfe.fazenda.gov.br", {files.authority}, false},
        {"another address", server, "127.0.0.2", {files.authority}, false},
        {"the system's authorities only", server, "127.0.0.1", {}, false},
        {"the authority as a server",
         DerChain(files.authority),
         "127.0.0.1",
         {files.authority},
         false},
        {"no chain", {}, "127.0.0.1", {files.authority}, false},
        {"not a certificate", {"junk"}, "127.0.0.1", {files.authority}, false},
        {"an unreadable authority file",
         server,
         "127.0.0.1",
         {files.server.parent_path() / "x"},
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChainTrusted(c.chain, c.host, c.authorities), c.trusted);
    }
}

}  // namespace
}  // namespace portal
