// The two programs as a person runs them: the sample distribution service in its own
// process, and vellora-dfe against it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sample/dfe/distribution_server.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support/child_process.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace sample {
namespace {

using ::testing::HasSubstr;

TEST(Programs, VelloraDfeFetchesAnInvoiceFromTheSampleService) {
    const auto& certificates = test_support::SharedTestCertificates();
    test_support::RunningProgram service(
        SAMPLE_DFE_PROGRAM,
        {"--certificates", certificates.files.authority.parent_path().string(), "--port", "0"});
    ASSERT_GT(service.port(), 0);

    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "senha", certificates.password + "\n");
    const std::string key = "35150761024385000111550010000001011102030405";
    const test_support::CommandOutput run = test_support::RunCommand(
        "VELLORA_CERT_PASSWORD= XDG_DATA_HOME='" + (folder / "data").string() +
        "' VELLORA_DFE_URL=https://127.0.0.1:" + std::to_string(service.port()) +
        kDistributionPath + " " + DFE_PROGRAM + " chave -o '" + (folder / "notas").string() +
        "' --certificado '" + certificates.files.a1.string() + "' --senha-arquivo '" +
        (folder / "senha").string() + "' --ca '" + certificates.files.authority.string() + "' " +
        key + " </dev/null 2>&1");
    EXPECT_EQ(run.status, 0) << run.text;
    const std::string file = (folder / "notas" / (key + "-procNFe.xml")).string();
    EXPECT_EQ(run.text, file + "\n");
    EXPECT_THAT(test_support::ReadFile(file), HasSubstr("<chNFe>" + key + "</chNFe>"));
    EXPECT_TRUE(std::filesystem::exists(folder / "data" / "vellora" / "dfe"));
}

TEST(Programs, VelloraDfeRegistersTheCienciaAndFetchesTheFullInvoiceInOneRun) {
    const auto& certificates = test_support::SharedTestCertificates();
    test_support::RunningProgram service(
        SAMPLE_DFE_PROGRAM,
        {"--certificates", certificates.files.authority.parent_path().string(), "--port", "0"});
    ASSERT_GT(service.port(), 0);

    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "senha", certificates.password + "\n");
    const std::string key = "35160361024385000111550010000001091901020309";
    // setsid leaves the program without a terminal, where only --sim confirms the Ciência.
    const std::string command =
        "VELLORA_CERT_PASSWORD= XDG_DATA_HOME='" + (folder / "data").string() +
        "' VELLORA_DFE_URL=https://127.0.0.1:" + std::to_string(service.port()) +
        kDistributionPath + " setsid " + DFE_PROGRAM + " chave --ciencia -o '" +
        (folder / "notas").string() + "' --certificado '" + certificates.files.a1.string() +
        "' --senha-arquivo '" + (folder / "senha").string() + "' --ca '" +
        certificates.files.authority.string() + "' " + key + " </dev/null";
    const test_support::CommandOutput refused = test_support::RunCommand(command + " 2>&1");
    EXPECT_EQ(refused.status, 2) << refused.text;
    const test_support::CommandOutput run = test_support::RunCommand(command + " --sim 2>&1");
    EXPECT_EQ(run.status, 0) << run.text;
    EXPECT_THAT(run.text, HasSubstr("Ciência da Operação registrada (135"));
    EXPECT_TRUE(std::filesystem::exists(folder / "notas" / (key + "-210210-01-procEventoNFe.xml")));
    EXPECT_THAT(test_support::ReadFile(folder / "notas" / (key + "-procNFe.xml")),
                HasSubstr("<chNFe>" + key + "</chNFe>"));
}

TEST(Programs, ExplainThemselves) {
    const test_support::CommandOutput list =
        test_support::RunCommand(std::string(SAMPLE_DFE_PROGRAM) + " --list 2>&1");
    EXPECT_EQ(list.status, 0);
    EXPECT_THAT(list.text, HasSubstr("35160361024385000111550010000001091901020309  resNFe "));
    const test_support::CommandOutput wrong =
        test_support::RunCommand(std::string(SAMPLE_DFE_PROGRAM) + " --port 1 2>&1");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_THAT(wrong.text, HasSubstr("--certificates FOLDER is required"));

    const test_support::CommandOutput help =
        test_support::RunCommand(std::string(DFE_PROGRAM) + " --help 2>&1");
    EXPECT_EQ(help.status, 0);
    EXPECT_THAT(help.text, HasSubstr("Uso: vellora-dfe certificado"));
    const test_support::CommandOutput usage =
        test_support::RunCommand(std::string(DFE_PROGRAM) + " chave 2>&1");
    EXPECT_EQ(usage.status, 2);
}

}  // namespace
}  // namespace sample
