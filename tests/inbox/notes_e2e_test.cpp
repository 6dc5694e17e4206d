// The window end to end, offscreen, against the sample distribution service through the real
// vellora-dfe: a company added, "Buscar novas", the Ciência for two summaries that then
// become full invoices, and "Exportar CSV".
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QStandardPaths>
#include <QTableView>
#include <fstream>
#include <sstream>

#include "catalog/invoice_csv.h"
#include "inbox/notes_window.h"
#include "tests/dfe/support/served_distribution.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/inbox/notes_window_fakes.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/child_process.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace inbox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

constexpr const char* kCompany = "44555666000181";

std::vector<catalog::ListedInvoice> Summaries(const std::vector<catalog::ListedInvoice>& rows) {
    std::vector<catalog::ListedInvoice> summaries;
    for (const catalog::ListedInvoice& row : rows) {
        if (!row.full && row.situation == catalog::Situation::authorised) {
            summaries.push_back(row);
        }
    }
    return summaries;
}

TEST(NotesEndToEndTest, AddFetchRegisterTheCienciaAndExport) {
    test_support::EnsureApplication();
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("Vellora-tests"));
    QCoreApplication::setApplicationName(QStringLiteral("vellora-notas-e2e"));
    const test_support::TestCertificates& certificates = test_support::SharedTestCertificates();
    test_support::ServedDistribution served;
    test_support::TemporaryDirectory folder;
    // What the children inherit: the sample service, and the use record kept apart.
    ::setenv("VELLORA_DFE_URL", served.Url().c_str(), 1);
    ::setenv("XDG_DATA_HOME", (folder / "dados").c_str(), 1);
    const fs::path passwordFile = folder / "senha";
    std::ofstream(passwordFile) << certificates.password << "\n";
    fs::permissions(passwordFile, fs::perms::owner_read | fs::perms::owner_write);

    const dfe::SystemClock clock;
    FakeDialogs dialogs;
    NotesWindow window({folder / "catalogo.sqlite",
                        VELLORA_DFE_PROGRAM,
                        {certificates.files.authority.string()},
                        &clock,
                        &dialogs});
    window.findChild<QComboBox*>("periodo")->setCurrentIndex(static_cast<int>(Period::all));
    const auto idle = [&] {
        return test_support::WaitUntil([&] { return !window.busy(); }, std::chrono::seconds(120));
    };

    dialogs.company = NewCompany{certificates.files.a1, folder / "notas", false, passwordFile};
    window.action("adicionarEmpresa")->trigger();
    ASSERT_TRUE(idle());
    ASSERT_TRUE(dialogs.told.empty()) << dialogs.told.front();
    window.ChooseCompany(kCompany);
    ASSERT_EQ(window.findChild<QComboBox*>("empresa")->currentData().toString(), kCompany);

    window.action("buscarNovas")->trigger();
    ASSERT_TRUE(idle());
    ASSERT_TRUE(dialogs.told.empty()) << dialogs.told.front();
    EXPECT_EQ(window.progressText(), "Concluído.");
    ASSERT_GT(window.model().rowCount(), 5);
    EXPECT_THAT(window.statusText().toStdString(), HasSubstr("1 cancelada"));
    const std::vector<catalog::ListedInvoice> summaries = Summaries(window.model().Shown());
    ASSERT_GE(summaries.size(), 2u);

    const auto exportCsv = [&] {
        dialogs.csvFile = folder / "notas.csv";
        window.action("exportarCsv")->trigger();
        std::ostringstream expected;
        catalog::WriteInvoicesCsv(expected, window.model().Shown());
        EXPECT_EQ(test_support::ReadFile(folder / "notas.csv"), expected.str());
    };
    QTableView& table = window.table();
    table.clearSelection();
    for (int row = 0; row < window.model().rowCount(); ++row) {
        const std::string& key = window.model().At(row).key;
        if (key == summaries[0].key || key == summaries[1].key) {
            table.selectionModel()->select(window.model().index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    ASSERT_TRUE(window.action("ciencia")->isEnabled());
    window.action("ciencia")->trigger();
    ASSERT_EQ(dialogs.confirmations.size(), 1u);
    EXPECT_THAT(dialogs.confirmations[0], HasSubstr("Ciência da Operação de 2 NF-e"));
    // The manifestation, then the keys asked again.
    ASSERT_TRUE(test_support::WaitUntil(
        [&] {
            return !window.busy() &&
                   Summaries(window.model().Shown()).size() == summaries.size() - 2;
        },
        std::chrono::seconds(120)))
        << window.progressText().toStdString();
    EXPECT_TRUE(dialogs.told.empty()) << dialogs.told.front();
    for (const catalog::ListedInvoice& row : window.model().Shown()) {
        if (row.key == summaries[0].key || row.key == summaries[1].key) {
            EXPECT_TRUE(row.full) << row.key;
            EXPECT_EQ(row.manifestation, "ciência") << row.key;
        }
    }
    exportCsv();
}

}  // namespace
}  // namespace inbox
