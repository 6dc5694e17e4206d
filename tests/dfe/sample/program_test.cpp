// The two programs as a person runs them: the sample distribution service in its own
// process, and vellora-dfe against it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sample/dfe/distribution_server.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/dfe/support/test_token.h"
#include "tests/support/child_process.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace sample {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

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
        return Run(command + " -o '" + Notes().string() + "' --certificado '" +
                   certificates_.files.a1.string() + "' --senha-arquivo '" +
                   (folder_ / "senha").string() + "' " + Trust() + arguments);
    }
    // vellora-dfe with the arguments as they are, and environment before it.
    test_support::CommandOutput Run(const std::string& arguments,
                                    const std::string& environment = "") const {
        return test_support::RunCommand(
            "VELLORA_CERT_PASSWORD= XDG_DATA_HOME='" + (folder_ / "data").string() +
            "' VELLORA_DFE_URL=https://127.0.0.1:" + std::to_string(service_.port()) +
            kDistributionPath + " " + environment + " setsid " + DFE_PROGRAM + " " + arguments +
            " </dev/null 2>&1");
    }
    std::filesystem::path Notes() const { return folder_ / "notas"; }
    std::string Trust() const { return "--ca '" + certificates_.files.authority.string() + "' "; }

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

// The same with the sample A1's key and certificate on a SoftHSM2 token, the PIN in a file.
class TokenProgramsTest : public ProgramsTest {
protected:
    TokenProgramsTest() { test_support::WriteFile(folder_ / "pin", token_.pin + "\n"); }

    test_support::CommandOutput WithToken(const std::string& command, const std::string& arguments,
                                          const std::string& pinFile = "pin",
                                          const std::string& environment = "") const {
        return Run(command + " -o '" + Notes().string() + "' --certificado '" + token_.uri +
                       "' --modulo-pkcs11 " + token_.module.string() + " --senha-arquivo '" +
                       (folder_ / pinFile).string() + "' " + Trust() + arguments,
                   environment);
    }

    const test_support::TestToken& token_ = test_support::SharedTestToken();
};

TEST_F(TokenProgramsTest, FetchesAndRegistersTheCienciaWithTheTokensKey) {
    ASSERT_GT(service_.port(), 0);
    const std::string summaryOnly = "35160361024385000111550010000001091901020309";
    // The sample service checks the event's signature as for an A1.
    const test_support::CommandOutput ciencia = WithToken("ciencia --sim", summaryOnly);
    EXPECT_EQ(ciencia.status, 0) << ciencia.text;
    EXPECT_THAT(ciencia.text, HasSubstr("Ciência da Operação registrada (135"));

    const std::string key = "35150761024385000111550010000001011102030405";
    const test_support::CommandOutput run = WithToken("chave", key);
    EXPECT_EQ(run.status, 0) << run.text;
    EXPECT_THAT(test_support::ReadFile(Notes() / (key + "-procNFe.xml")),
                HasSubstr("<chNFe>" + key + "</chNFe>"));

    const test_support::CommandOutput news = WithToken("novos", "");
    EXPECT_THAT(news.status, ::testing::AnyOf(0, 1)) << news.text;
    EXPECT_THAT(news.text, HasSubstr(Notes().string())) << news.text;

    const test_support::CommandOutput list =
        Run("certificado pkcs11: --modulo-pkcs11 " + token_.module.string());
    EXPECT_EQ(list.status, 0) << list.text;
    EXPECT_THAT(list.text, HasSubstr("Token: EMPRESA"));
    EXPECT_THAT(list.text, HasSubstr("CNPJ: 44.555.666/0001-81"));
}

// No secret store is needed: the PIN is kept nowhere and each run gives it.
TEST_F(TokenProgramsTest, AddsACompanyByItsTokenWhosePinEachRunGives) {
    ASSERT_GT(service_.port(), 0);
    const std::string catalogue = "--catalogo '" + (folder_ / "catalogo.sqlite").string() + "' ";
    const std::string pin = "VELLORA_CERT_PASSWORD='" + token_.pin + "' ";
    const std::string module = "VELLORA_PKCS11_MODULE=" + token_.module.string() + " ";
    const test_support::CommandOutput added =
        Run("empresas adicionar --certificado '" + token_.uri + "' --modulo-pkcs11 " +
                token_.module.string() + " --pasta '" + Notes().string() + "' " + catalogue,
            pin);
    ASSERT_EQ(added.status, 0) << added.text;
    EXPECT_THAT(added.text, HasSubstr("Empresa 44.555.666/0001-81"));
    EXPECT_THAT(added.text, HasSubstr("O PIN do token não foi guardado"));

    const std::string key = "35150761024385000111550010000001011102030405";
    const std::string asked = "chave --empresa 44555666000181 " + catalogue + Trust() + key;
    const test_support::CommandOutput withoutPin = Run(asked, module);
    EXPECT_EQ(withoutPin.status, 2) << withoutPin.text;
    EXPECT_THAT(withoutPin.text, HasSubstr("Falta o PIN do token do certificado"));
    const test_support::CommandOutput run = Run(asked, module + pin);
    EXPECT_EQ(run.status, 0) << run.text;
    EXPECT_THAT(run.text, HasSubstr((Notes() / "44555666000181").string()));

    const test_support::CommandOutput wrong =
        Run("empresas adicionar --certificado '" + token_.uri + "' --homologacao " + catalogue,
            module + "VELLORA_CERT_PASSWORD=0000");
    EXPECT_EQ(wrong.status, 1) << wrong.text;
    EXPECT_THAT(wrong.text, HasSubstr("Nada foi cadastrado"));
    EXPECT_THAT(Run("empresas " + catalogue).text, Not(HasSubstr("homologação")));
}

TEST_F(TokenProgramsTest, SaysWhenThePinIsWrongOrNoTokenIsPresent) {
    ASSERT_GT(service_.port(), 0);
    const std::string key = "35150761024385000111550010000001011102030405";
    test_support::WriteFile(folder_ / "wrong-pin", "0000\n");
    const test_support::CommandOutput wrong = WithToken("chave", key, "wrong-pin");
    EXPECT_EQ(wrong.status, 1) << wrong.text;
    EXPECT_THAT(wrong.text, HasSubstr("O PIN do token está incorreto"));

    const std::string removed = "SOFTHSM2_CONF='" + token_.emptyConf.string() + "'";
    const test_support::CommandOutput none = WithToken("chave", key, "pin", removed);
    EXPECT_EQ(none.status, 1) << none.text;
    EXPECT_THAT(none.text, HasSubstr("Nenhum token ou cartão foi encontrado"));
    const test_support::CommandOutput list =
        Run("certificado pkcs11: --modulo-pkcs11 " + token_.module.string(), removed);
    EXPECT_EQ(list.status, 1) << list.text;
    EXPECT_FALSE(std::filesystem::exists(Notes() / (key + "-procNFe.xml")));
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
