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

// The sample service in its own process, and vellora-dfe against it as a person runs it: the
// password in a file, the sample authority trusted, the use of the service kept in the test's
// folder, and no terminal (setsid), where nothing may wait for an answer.
class ProgramsTest : public ::testing::Test {
protected:
    ProgramsTest()
        : service_(SAMPLE_DFE_PROGRAM,
                   {"--certificates", certificates_.files.authority.parent_path().string(),
                    "--port", "0"}) {
        test_support::WriteFile(folder_ / "senha", certificates_.password + "\n");
    }

    test_support::CommandOutput VelloraDfe(const std::string& command,
                                           const std::string& arguments) const {
        return test_support::RunCommand(
            "VELLORA_CERT_PASSWORD= XDG_DATA_HOME='" + (folder_ / "data").string() +
            "' VELLORA_DFE_URL=https://127.0.0.1:" + std::to_string(service_.port()) +
            kDistributionPath + " setsid " + DFE_PROGRAM + " " + command + " -o '" +
            Notes().string() + "' --certificado '" + certificates_.files.a1.string() +
            "' --senha-arquivo '" + (folder_ / "senha").string() + "' --ca '" +
            certificates_.files.authority.string() + "' " + arguments + " </dev/null 2>&1");
    }
    std::filesystem::path Notes() const { return folder_ / "notas"; }

    const test_support::TestCertificates& certificates_ = test_support::SharedTestCertificates();
    const test_support::RunningProgram service_;
    test_support::TemporaryDirectory folder_;
};

TEST_F(ProgramsTest, VelloraDfeFetchesAnInvoiceFromTheSampleService) {
    ASSERT_GT(service_.port(), 0);
    const std::string key = "35150761024385000111550010000001011102030405";
    const test_support::CommandOutput run = VelloraDfe("chave", key);
    EXPECT_EQ(run.status, 0) << run.text;
    const std::string file = (Notes() / (key + "-procNFe.xml")).string();
    EXPECT_EQ(run.text, file + "\n");
    EXPECT_THAT(test_support::ReadFile(file), HasSubstr("<chNFe>" + key + "</chNFe>"));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "data" / "vellora" / "dfe"));
}

TEST_F(ProgramsTest, VelloraDfeRegistersTheCienciaAndFetchesTheFullInvoiceInOneRun) {
    ASSERT_GT(service_.port(), 0);
    const std::string key = "35160361024385000111550010000001091901020309";
    // Without a terminal only --sim confirms the Ciência.
    const test_support::CommandOutput refused = VelloraDfe("chave --ciencia", key);
    EXPECT_EQ(refused.status, 2) << refused.text;
    const test_support::CommandOutput run = VelloraDfe("chave --ciencia --sim", key);
    EXPECT_EQ(run.status, 0) << run.text;
    EXPECT_THAT(run.text, HasSubstr("Ciência da Operação registrada (135"));
    EXPECT_TRUE(std::filesystem::exists(Notes() / (key + "-210210-01-procEventoNFe.xml")));
    EXPECT_THAT(test_support::ReadFile(Notes() / (key + "-procNFe.xml")),
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

    // Standard output on a full disk: a failure, said on standard error.
    const test_support::CommandOutput full =
        test_support::RunCommand(std::string(DFE_PROGRAM) + " --version 2>&1 >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_THAT(full.text, HasSubstr("vellora-dfe: a saída padrão não pôde ser escrita"));
}

}  // namespace
}  // namespace sample
