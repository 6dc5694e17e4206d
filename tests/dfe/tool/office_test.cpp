// An office's day against the sample distribution service: companies added, synchronised,
// and their invoices found again, with the catalogue in a temporary folder.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <map>
#include <sstream>

#include "sample/dfe/distributed_invoices.h"
#include "tests/dfe/support/fake_clock.h"
#include "tests/dfe/support/served_distribution.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support/temporary_directory.h"
#include "tools/dfe/dfe_command.h"
#include "tools/dfe/secret_store.h"

namespace tools {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using test_support::SharedTestCertificates;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class OfficeTest : public ::testing::Test {
protected:
    OfficeTest() {
        variables_["XDG_DATA_HOME"] = (folder_ / "data").string();
        variables_["HOME"] = folder_.path().string();
        served_ = std::make_unique<test_support::ServedDistribution>(sample::ServiceSettings{});
        variables_["VELLORA_DFE_URL"] = served_->Url();
        std::ofstream(PasswordFile()) << SharedTestCertificates().password << "\n";
        fs::permissions(PasswordFile(), fs::perms::owner_read | fs::perms::owner_write);
    }

    Outcome Run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        DfeContext context{out,
                           err,
                           [this](const char* name) -> const char* {
                               const auto found = variables_.find(name);
                               return found == variables_.end() ? nullptr : found->second.c_str();
                           },
                           clock_,
                           [this](const std::string&) -> std::optional<dfe::Secret> {
                               if (!typed_) {
                                   return std::nullopt;
                               }
                               return dfe::Secret(*typed_);
                           },
                           1s,
                           20s};
        context.secrets = secrets_;
        const int status = RunDfeCommand(arguments, context);
        return {status, out.str(), err.str()};
    }

    Outcome Add(const fs::path& certificate, const fs::path& passwordFile) {
        return Run({"empresas", "adicionar", "--certificado", certificate.string(), "--pasta",
                    Notes().string(), "--senha-arquivo", passwordFile.string()});
    }

    fs::path Notes() const { return folder_ / "notas"; }
    fs::path PasswordFile() const { return folder_ / "senha"; }
    std::string Authority() const { return SharedTestCertificates().files.authority.string(); }

    test_support::TemporaryDirectory folder_;
    const test_support::TestCertificates& certificates_ = SharedTestCertificates();
    test_support::FakeClock clock_{std::chrono::system_clock::now()};
    std::map<std::string, std::string> variables_;
    std::unique_ptr<test_support::ServedDistribution> served_;
    std::optional<std::string> typed_;  // what a person types when asked for the password
    SecretStore* secrets_ = nullptr;
};

// The session's secret store, in memory; one that refuses everything when closed.
class FakeSecretStore : public SecretStore {
public:
    std::optional<dfe::Secret> Read(const std::string& certificate) override {
        const auto found = kept.find(certificate);
        if (found == kept.end()) {
            return std::nullopt;
        }
        return dfe::Secret(found->second);
    }
    bool Save(const std::string& certificate, const dfe::Secret& password) override {
        if (closed) {
            return false;
        }
        kept[certificate] = std::string(password.view());
        return true;
    }
    void Remove(const std::string& certificate) override { kept.erase(certificate); }

    std::map<std::string, std::string> kept;
    bool closed = false;
};

TEST_F(OfficeTest, CompaniesSynchroniseAndTheirInvoicesAreFoundAgain) {
    const Outcome recipient = Add(certificates_.files.a1, PasswordFile());
    ASSERT_EQ(recipient.status, 0) << recipient.err;
    const Outcome carrier = Add(certificates_.files.alphanumericCarrierA1, PasswordFile());
    ASSERT_EQ(carrier.status, 0) << carrier.err;
    const Outcome companies = Run({"empresas"});
    EXPECT_THAT(companies.out, HasSubstr("44.555.666/0001-81"));
    EXPECT_THAT(companies.out, HasSubstr("K7.M2Q.X9L/0001-74"));
    EXPECT_THAT(companies.out, HasSubstr("última sincronização: nunca"));

    const Outcome first = Run({"sincronizar", "--ca", Authority()});
    EXPECT_EQ(first.status, 0) << first.out << first.err;
    EXPECT_THAT(first.out, HasSubstr("44.555.666/0001-81: "));
    EXPECT_THAT(first.out, HasSubstr("1 cancelamento"));
    EXPECT_THAT(first.out, HasSubstr("Total: "));
    const Outcome second = Run({"sincronizar", "--ca", Authority()});
    EXPECT_EQ(second.status, 3) << second.out << second.err;
    EXPECT_THAT(second.out, HasSubstr("nova consulta a partir de"));

    // A final manifestation in the company's name lies beside the invoice and is catalogued.
    const std::string summary = sample::kKeysWithoutCiencia[0];
    const Outcome confirmed = Run({"manifestar", "--evento", "confirmacao", "--sim", "--empresa",
                                   "44555666000181", "--ca", Authority(), summary});
    EXPECT_EQ(confirmed.status, 0) << confirmed.err;
    const std::string file = confirmed.out.substr(0, confirmed.out.rfind('\t'));
    EXPECT_THAT(
        file, StartsWith(summary + "\tregistrado\t135\t" + (Notes() / "44555666000181").string()));
    EXPECT_THAT(file, ::testing::EndsWith("/" + summary + "-210200-01-procEventoNFe.xml"));
    EXPECT_TRUE(fs::exists(file.substr(file.rfind('\t') + 1)));
    EXPECT_THAT(Run({"notas", "--csv"}).out, HasSubstr(";\"confirmada\";resumo;" + summary + ";"));

    const Outcome listed = Run({"notas"});
    EXPECT_EQ(listed.status, 0) << listed.err;
    EXPECT_THAT(listed.out, HasSubstr("cancelada"));
    EXPECT_THAT(listed.out, HasSubstr("Total: "));
    const Outcome cancelled = Run({"notas", "--situacao", "cancelada", "--csv"});
    EXPECT_THAT(cancelled.out, StartsWith("\xEF\xBB\xBF"
                                          "Emissão;Emitente;"));
    EXPECT_THAT(cancelled.out, Not(HasSubstr(";autorizada;")));
    EXPECT_THAT(cancelled.out, HasSubstr(";cancelada;"));

    // The files lie by company and month, and a second catalogue finds them all again.
    EXPECT_TRUE(fs::exists(Notes() / "44555666000181"));
    variables_["VELLORA_CATALOGO"] = (folder_ / "outro.sqlite").string();
    std::ofstream(Notes() / "leia-me.xml") << "<nota/>";
    const Outcome imported = Run({"notas", "importar", Notes().string()});
    EXPECT_EQ(imported.status, 0) << imported.err;
    EXPECT_THAT(imported.out, HasSubstr("não são documentos da NF-e: 1"));
    EXPECT_EQ(Run({"notas"}).out, listed.out);
    const Outcome again = Run({"notas", "importar", Notes().string()});
    EXPECT_THAT(again.out, HasSubstr("Registrados: 0 NF-e completas, 0 resumos, 0 eventos"));
}

TEST_F(OfficeTest, ThePasswordGoesToTheSecretStoreAndIsFoundThere) {
    FakeSecretStore store;
    secrets_ = &store;
    typed_ = certificates_.password;
    store.closed = true;
    const Outcome refused = Run({"empresas", "adicionar", "--certificado",
                                 certificates_.files.a1.string(), "--pasta", Notes().string()});
    EXPECT_EQ(refused.status, 1);
    EXPECT_THAT(refused.err, HasSubstr("não guardou a senha"));
    EXPECT_THAT(Run({"empresas"}).err, HasSubstr("Nenhuma empresa cadastrada"));

    store.closed = false;
    const Outcome added = Run({"empresas", "adicionar", "--certificado",
                               certificates_.files.a1.string(), "--pasta", Notes().string()});
    ASSERT_EQ(added.status, 0) << added.err;
    // Under the certificate's absolute path, as the desktop program keeps it.
    ASSERT_EQ(store.kept.size(), 1u);
    EXPECT_EQ(store.kept.begin()->first, fs::absolute(certificates_.files.a1).lexically_normal());

    typed_.reset();
    const std::string key = "35150761024385000111550010000001011102030405";
    const Outcome asked =
        Run({"chave", "--empresa", "44.555.666/0001-81", "--ca", Authority(), key});
    EXPECT_EQ(asked.status, 0) << asked.err;
    EXPECT_EQ(asked.out,
              (Notes() / "44555666000181" / "2015-07" / (key + "-procNFe.xml")).string() + "\n");
    EXPECT_THAT(Run({"notas", "--empresa", "44555666000181"}).out, HasSubstr("Total: 1 nota,"));
}

TEST_F(OfficeTest, BadInputsChangeNothing) {
    const fs::path open = folder_ / "senha-aberta";
    fs::copy_file(PasswordFile(), open);
    fs::permissions(open, fs::perms::others_read, fs::perm_options::add);
    const Outcome readable = Add(certificates_.files.a1, open);
    EXPECT_EQ(readable.status, 2);
    EXPECT_THAT(readable.err, HasSubstr("pode ser lido por outros usuários"));

    // Without a secret store and without a password file.
    const Outcome nowhere =
        Run({"empresas", "adicionar", "--certificado", certificates_.files.a1.string()});
    EXPECT_EQ(nowhere.status, 1);
    EXPECT_THAT(nowhere.err, HasSubstr("Nada foi cadastrado"));
    EXPECT_THAT(Run({"empresas"}).err, HasSubstr("Nenhuma empresa cadastrada"));

    const Outcome unknown = Run(
        {"chave", "--empresa", "44555666000181", "35150761024385000111550010000001011102030405"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_THAT(unknown.err, HasSubstr("não está cadastrada"));

    // The carrier's certificate named as the recipient's company.
    ASSERT_EQ(Add(certificates_.files.a1, PasswordFile()).status, 0);
    const Outcome other =
        Run({"novos", "--empresa", "44555666000181", "--certificado",
             certificates_.files.alphanumericCarrierA1.string(), "--ca", Authority()});
    EXPECT_EQ(other.status, 1);
    EXPECT_THAT(other.err, HasSubstr("não da empresa 44.555.666/0001-81"));
    EXPECT_EQ(served_->service().RequestCount(), 0u);

    const fs::path text = folder_ / "texto.sqlite";
    std::ofstream(text) << "não é um banco de dados";
    const Outcome notDatabase = Run({"notas", "--catalogo", text.string()});
    EXPECT_EQ(notDatabase.status, 1);
    EXPECT_THAT(notDatabase.err, HasSubstr("não é um banco de dados SQLite"));
}

}  // namespace
}  // namespace tools
