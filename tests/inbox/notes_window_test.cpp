// The window over a catalogue on a temporary database, offscreen, with a stand-in for
// vellora-dfe that writes down how it was called.
#include "inbox/notes_window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTableView>
#include <fstream>
#include <sstream>

#include "catalog/invoice_csv.h"
#include "tests/dfe/support/fake_clock.h"
#include "tests/inbox/notes_window_fakes.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace inbox {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kCompany = "44555666000181";
constexpr const char* kFull = "35150761024385000111550010000001011102030405";
constexpr const char* kSummary = "41150808765432000103550010000002021203040502";
constexpr const char* kSecondSummary = "33151045321789000110550020000003041405060709";

// Writes each call (its arguments, then the password and catalogue it was given) to
// calls.txt beside it, prints a progress line and, for manifestar, a line per key (refused
// for the keys in the file "refuse"), then ends with the status in the file "status", or
// waits when there is a file "wait".
constexpr const char* kStandIn = R"sh(#!/bin/sh
dir=$(dirname "$0")
{ echo "--- chamada"; for a in "$@"; do echo "$a"; done
  echo "senha=${VELLORA_CERT_PASSWORD:-}"; echo "catalogo=${VELLORA_CATALOGO:-}"; } >>"$dir/calls.txt"
echo "[1/2] 35150761024385000111550010000001011102030405"
if [ "$1" = manifestar ]; then
  for a in "$@"; do
    [ ${#a} -eq 44 ] || continue
    if grep -qx "$a" "$dir/refuse" 2>/dev/null; then
      printf '%s\trecusado\t650\t\tRejeicao: NF-e cancelada\n' "$a"
    else
      printf '%s\tregistrado\t135\t%s\tEvento registrado\n' "$a" "$dir/$a-210210-01-procEventoNFe.xml"
    fi
  done
fi
[ -f "$dir/wait" ] && exec sleep 60
exit "$(cat "$dir/status" 2>/dev/null || echo 0)"
)sh";

class NotesWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test_support::EnsureApplication();
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("Vellora-tests"));
        QCoreApplication::setApplicationName(QStringLiteral("vellora-notas-test"));
    }

    void SetUp() override {
        {
            catalog::Catalog catalogue(CatalogFile());
            catalog::Company company;
            company.cnpj = kCompany;
            company.holder = "INDUSTRIA BETA DE MAQUINAS S.A.";
            company.validUntil = Seconds(clock_.Now()) + 20 * 24 * 3600;
            catalogue.SaveCompany(company);
            Add(catalogue, kFull, catalog::DocumentKind::invoice, "ALFA", "2026-12-01", 150000);
            Add(catalogue, kSummary, catalog::DocumentKind::summary, "GAMA", "2026-12-05", 99);
            Add(catalogue, kSecondSummary, catalog::DocumentKind::summary, "DELTA", "2026-12-10",
                2500);
        }
        std::ofstream(folder_ / "vellora-dfe") << kStandIn;
        ::chmod((folder_ / "vellora-dfe").c_str(), 0755);
        window_ = std::make_unique<NotesWindow>(NotesWindowSetup{
            CatalogFile(), folder_ / "vellora-dfe", {"/ca.pem"}, &clock_, &dialogs_});
        window_->findChild<QComboBox*>("periodo")->setCurrentIndex(static_cast<int>(Period::all));
    }

    static std::int64_t Seconds(dfe::Time time) {
        return std::chrono::duration_cast<std::chrono::seconds>(time.time_since_epoch()).count();
    }

    void Add(catalog::Catalog& catalogue, const char* key, catalog::DocumentKind kind,
             const char* name, const char* issued, std::int64_t cents) {
        catalog::DocumentFacts facts;
        facts.kind = kind;
        facts.key = key;
        facts.issuer = "61024385000111";
        facts.issuerName = name;
        facts.issued = issued;
        facts.valueCents = cents;
        catalogue.Record(facts, {kCompany, std::nullopt, folder_ / (std::string(key) + ".xml"), 1});
    }

    std::filesystem::path CatalogFile() const { return folder_ / "catalogo.sqlite"; }

    void Select(const std::vector<std::string>& keys) {
        QTableView& table = window_->table();
        table.clearSelection();
        for (int row = 0; row < window_->model().rowCount(); ++row) {
            if (std::find(keys.begin(), keys.end(), window_->model().At(row).key) != keys.end()) {
                table.selectionModel()->select(
                    window_->model().index(row, 0),
                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
            }
        }
    }

    // The calls of the stand-in so far, each as its lines.
    std::vector<std::vector<std::string>> Calls() const {
        std::vector<std::vector<std::string>> calls;
        std::ifstream in(folder_ / "calls.txt");
        for (std::string line; std::getline(in, line);) {
            if (line == "--- chamada") {
                calls.emplace_back();
            } else if (!calls.empty()) {
                calls.back().push_back(line);
            }
        }
        return calls;
    }

    bool WaitForIdle() {
        return test_support::WaitUntil([&] { return !window_->busy(); });
    }

    test_support::TemporaryDirectory folder_;
    test_support::FakeClock clock_;
    FakeDialogs dialogs_;
    std::unique_ptr<NotesWindow> window_;
};

TEST_F(NotesWindowTest, FiltersApplyAsTypedAndTheStatusLineFollows) {
    EXPECT_EQ(window_->model().rowCount(), 3);
    EXPECT_EQ(window_->statusText(), "3 notas · 2 só resumo · 0 canceladas · total R$ 1.525,99");
    window_->findChild<QLineEdit*>("busca")->setText("gam");
    EXPECT_EQ(window_->model().rowCount(), 1);
    EXPECT_EQ(window_->statusText(), "1 nota · 1 só resumo · 0 canceladas · total R$ 0,99");
    window_->findChild<QLineEdit*>("busca")->clear();
    window_->findChild<QComboBox*>("situacao")
        ->setCurrentIndex(static_cast<int>(SituationChoice::summariesOnly));
    EXPECT_EQ(window_->model().rowCount(), 2);
    window_->findChild<QLineEdit*>("busca")->setText("alfa");
    EXPECT_EQ(window_->model().rowCount(), 0);
    EXPECT_FALSE(window_->action("exportarCsv")->isEnabled());
}

TEST_F(NotesWindowTest, ActionsFollowTheSelectionAndTheDetailShowsTheSummary) {
    EXPECT_FALSE(window_->action("ciencia")->isEnabled());
    EXPECT_TRUE(window_->action("buscarNovas")->isEnabled());
    EXPECT_FALSE(window_->action("removerEmpresa")->isEnabled());
    Select({kSummary});
    EXPECT_TRUE(window_->action("ciencia")->isEnabled());
    EXPECT_FALSE(window_->action("danfe")->isEnabled());
    EXPECT_TRUE(window_->action("abrirXml")->isEnabled());
    EXPECT_THAT(
        window_->findChild<QPlainTextEdit*>("detalhe")->toPlainText().toStdString(),
        AllOf(HasSubstr("Só o resumo está aqui"), HasSubstr("R$ 0,99"), HasSubstr(kSummary)));
    window_->action("abrirPasta")->trigger();
    EXPECT_THAT(dialogs_.opened, ElementsAre(folder_.path()));
    window_->ChooseCompany(kCompany);
    EXPECT_TRUE(window_->action("removerEmpresa")->isEnabled());
}

TEST_F(NotesWindowTest, TheCienciaIsConfirmedThenTheSummariesAreAskedAgain) {
    Select({kSummary, kSecondSummary});
    dialogs_.confirm = false;
    window_->action("ciencia")->trigger();
    ASSERT_EQ(dialogs_.confirmations.size(), 1u);
    EXPECT_THAT(dialogs_.confirmations[0],
                HasSubstr("Registrar a Ciência da Operação de 2 NF-e em nome de INDUSTRIA BETA "
                          "DE MAQUINAS S.A. (CNPJ 44.555.666/0001-81)?"));
    EXPECT_FALSE(window_->busy());
    EXPECT_TRUE(Calls().empty());

    dialogs_.confirm = true;
    window_->action("ciencia")->trigger();
    ASSERT_TRUE(test_support::WaitUntil([&] { return Calls().size() == 2 && !window_->busy(); }));
    const auto calls = Calls();
    const std::string catalogue = "catalogo=" + CatalogFile().string();
    EXPECT_THAT(calls[0],
                ElementsAre("manifestar", "--evento", "ciencia", "--sim", "--empresa", kCompany,
                            "--ca", "/ca.pem", kSecondSummary, kSummary, "senha=", catalogue));
    EXPECT_THAT(calls[1], ElementsAre("chave", "--empresa", kCompany, "--ca", "/ca.pem",
                                      kSecondSummary, kSummary, "senha=", catalogue));
    EXPECT_EQ(window_->progressText(), "Concluído.");
    EXPECT_TRUE(dialogs_.told.empty());
}

TEST_F(NotesWindowTest, OnlyTheKeysWhoseCienciaWasRegisteredAreAskedAgain) {
    std::ofstream(folder_ / "refuse") << kSecondSummary << "\n";
    std::ofstream(folder_ / "status") << "1";
    Select({kSummary, kSecondSummary});
    window_->action("ciencia")->trigger();
    ASSERT_TRUE(test_support::WaitUntil([&] { return Calls().size() == 2 && !window_->busy(); }));
    const std::vector<std::string> fetch = Calls()[1];
    EXPECT_EQ(fetch[0], "chave");
    EXPECT_EQ(std::count(fetch.begin(), fetch.end(), kSummary), 1);
    EXPECT_EQ(std::count(fetch.begin(), fetch.end(), kSecondSummary), 0);
    // The refusal is told with the service's answer, before the key is asked again.
    ASSERT_FALSE(dialogs_.told.empty());
    EXPECT_THAT(dialogs_.told[0], HasSubstr("650"));
}

TEST_F(NotesWindowTest, AFailedManifestationIsToldAndNothingIsAskedAfterIt) {
    std::ofstream(folder_ / "status") << "1";
    std::ofstream(folder_ / "refuse") << kSummary << "\n";
    Select({kSummary});
    window_->action("confirmacao")->trigger();
    ASSERT_TRUE(WaitForIdle());
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0][2], "confirmacao");
    ASSERT_EQ(dialogs_.told.size(), 1u);
    EXPECT_THAT(dialogs_.told[0], HasSubstr("falhas"));
    // The child's own lines come with it.
    EXPECT_THAT(dialogs_.told[0], HasSubstr("[1/2]"));
}

TEST_F(NotesWindowTest, TheCompanysPasswordGoesThroughTheEnvironmentNeverTheCommandLine) {
    dialogs_.company = NewCompany{folder_ / "a1.pfx", folder_ / "notas", false, ""};
    dialogs_.password = "segredo do certificado";
    window_->action("adicionarEmpresa")->trigger();
    ASSERT_TRUE(WaitForIdle());
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_THAT(Calls()[0],
                ElementsAre("empresas", "adicionar", "--certificado", (folder_ / "a1.pfx").string(),
                            "--pasta", (folder_ / "notas").string(), "senha=segredo do certificado",
                            "catalogo=" + CatalogFile().string()));
}

// A company on a token: its PIN is asked for each run in its name and goes through the
// environment; the kept passwords' companies run apart, so that the PIN stands for no other.
TEST_F(NotesWindowTest, ATokensPinIsAskedForEachRunAndGoesOnlyToItsCompany) {
    const std::string tokenCompany = "12ABC34501DE35";
    const std::string kTokenSummary = "35261212ABC34501DE35550010000000771000000772";
    {
        catalog::Catalog catalogue(CatalogFile());
        catalog::Company company;
        company.cnpj = tokenCompany;
        company.holder = "EMPRESA DO TOKEN";
        company.certificate = "pkcs11:token=EMPRESA;id=%01";
        company.validUntil = Seconds(clock_.Now()) + 200 * 24 * 3600;
        catalogue.SaveCompany(company);
        catalog::DocumentFacts facts;
        facts.kind = catalog::DocumentKind::summary;
        facts.key = kTokenSummary;
        facts.issuer = "61024385000111";
        facts.issuerName = "OMEGA";
        facts.issued = "2026-12-07";
        catalogue.Record(facts, {tokenCompany, std::nullopt, folder_ / "omega.xml", 1});
    }
    window_->Reload();
    dialogs_.pin = "4321";
    window_->action("buscarNovas")->trigger();
    ASSERT_TRUE(test_support::WaitUntil([&] { return Calls().size() == 2 && !window_->busy(); }));
    const std::string catalogue = "catalogo=" + CatalogFile().string();
    EXPECT_THAT(Calls()[0],
                ElementsAre("sincronizar", "--ca", "/ca.pem", kCompany, "senha=", catalogue));
    EXPECT_THAT(Calls()[1], ElementsAre("sincronizar", "--ca", "/ca.pem", tokenCompany,
                                        "senha=4321", catalogue));
    EXPECT_THAT(dialogs_.pinQuestions,
                ElementsAre("PIN do token do certificado de EMPRESA DO TOKEN (CNPJ "
                            "12.ABC.345/01DE-35):"));

    // The manifestation and the keys asked after it share one PIN, asked once.
    std::filesystem::remove(folder_ / "calls.txt");
    Select({kTokenSummary});
    window_->action("ciencia")->trigger();
    ASSERT_TRUE(test_support::WaitUntil([&] { return Calls().size() == 2 && !window_->busy(); }));
    EXPECT_EQ(dialogs_.pinQuestions.size(), 2u);
    EXPECT_EQ(Calls()[0][0], "manifestar");
    EXPECT_EQ(Calls()[1][0], "chave");
    for (const auto& call : Calls()) {
        EXPECT_THAT(call, Contains("senha=4321"));
    }

    // Without a PIN nothing runs in the token's name.
    std::filesystem::remove(folder_ / "calls.txt");
    dialogs_.pin.reset();
    window_->action("ciencia")->trigger();
    window_->ChooseCompany(tokenCompany);
    window_->action("buscarNovas")->trigger();
    EXPECT_FALSE(window_->busy());
    EXPECT_TRUE(Calls().empty());
    EXPECT_THAT(window_->progressText().toStdString(), HasSubstr("PIN não informado"));
}

TEST_F(NotesWindowTest, CancelEndsTheChildAndSaysSo) {
    std::ofstream(folder_ / "wait");
    window_->action("buscarNovas")->trigger();
    ASSERT_TRUE(test_support::WaitUntil([&] { return !Calls().empty(); }));
    EXPECT_TRUE(window_->busy());
    EXPECT_TRUE(window_->action("cancelar")->isEnabled());
    EXPECT_FALSE(window_->action("buscarNovas")->isEnabled());
    ASSERT_TRUE(test_support::WaitUntil(
        [&] { return window_->progressText().startsWith(QStringLiteral("Nota 1 de 2")); }));
    window_->action("cancelar")->trigger();
    ASSERT_TRUE(WaitForIdle());
    EXPECT_THAT(window_->progressText().toStdString(), HasSubstr("Interrompido"));
    EXPECT_THAT(Calls()[0], ElementsAre("sincronizar", "--ca", "/ca.pem",
                                        "senha=", "catalogo=" + CatalogFile().string()));
    EXPECT_TRUE(dialogs_.told.empty());
}

TEST_F(NotesWindowTest, AMissingProgramIsToldAndTheWindowStaysUsable) {
    std::filesystem::remove(folder_ / "vellora-dfe");
    window_->action("buscarNovas")->trigger();
    ASSERT_TRUE(WaitForIdle());
    ASSERT_EQ(dialogs_.told.size(), 1u);
    EXPECT_THAT(dialogs_.told[0], HasSubstr("não pôde ser iniciado"));
    EXPECT_TRUE(window_->action("buscarNovas")->isEnabled());
}

TEST_F(NotesWindowTest, ExportCsvWritesTheRowsShownAsTheCommandLineDoes) {
    window_->findChild<QLineEdit*>("busca")->setText("alfa");
    dialogs_.csvFile = folder_ / "notas.csv";
    window_->action("exportarCsv")->trigger();
    std::ostringstream expected;
    catalog::WriteInvoicesCsv(expected, window_->model().Shown());
    EXPECT_EQ(test_support::ReadFile(folder_ / "notas.csv"), expected.str());
    EXPECT_THAT(expected.str(), AllOf(HasSubstr(kFull), Not(HasSubstr(kSummary))));
}

}  // namespace
}  // namespace inbox
