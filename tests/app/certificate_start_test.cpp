// A start by key with the company's certificate configured: the official route first, under
// the wait overlay, then the portal when the route cannot deliver.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <atomic>
#include <thread>

#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "tests/app/main_window_fixture.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::WaitUntil;
using ::testing::HasSubstr;
using namespace std::chrono_literals;

const std::string kCertificate = "/empresa/a1.pfx";
// A key that passes the access-key check: the route is asked only with one.
const std::string kValidKey = "35150761024385000111550010000001011102030405";

class CertificateStartTest : public MainWindowTest {
protected:
    void WithCertificate() {
        WriteOptions(dir_ / "cfg.dclrc", Options{}, kCertificate);
        passwords_.passwords[kCertificate] = "segredo";
    }
    bool AskedThePortal() const { return !browser_->navigations.empty(); }
};

TEST_F(CertificateStartTest, WithoutACertificateTheRouteIsNeverAsked) {
    Start({"vellora", "x", kValidKey});
    EXPECT_EQ(browser_->navigations.size(), 1u);
    QApplication::processEvents();
    EXPECT_EQ(routeRequests_, 0);
    EXPECT_EQ(passwords_.reads, 0);
    EXPECT_TRUE(window_->RouteNote().isEmpty());
}

TEST_F(CertificateStartTest, TheSignedInvoiceEndsTheProgramWithoutThePortal) {
    WithCertificate();
    routeResult_.file = dir_ / "xml" / (kValidKey + "-nfe.xml");
    auto& window = Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }, 10s));
    EXPECT_EQ(routeRequests_, 1);
    EXPECT_EQ(lastRequest_.key, kValidKey);
    EXPECT_EQ(lastRequest_.certificate, kCertificate);
    ASSERT_TRUE(lastRequest_.password);
    EXPECT_EQ(lastRequest_.password->view(), "segredo");
    // The output folder of an empty third argument, created before the route writes there.
    EXPECT_EQ(lastRequest_.outputFolder, dir_ / "xml");
    EXPECT_EQ(window.FPath(), *routeResult_.file);
    // "Imprimir Danfe" is on by default.
    EXPECT_EQ(danfes_, std::vector<fs::path>{*routeResult_.file});
    EXPECT_FALSE(AskedThePortal());
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(CertificateStartTest, ADanfeThatCannotBeDrawnIsSaidAndTheProgramStillEnds) {
    WithCertificate();
    routeResult_.file = dir_ / "xml" / (kValidKey + "-nfe.xml");
    danfeFailure_ = "O PDF não pôde ser gravado: disco cheio";
    auto& window = Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }, 10s));
    EXPECT_EQ(dialogs_.Texts(), std::vector<QString>{"O DANFE não foi gerado. O PDF não pôde "
                                                     "ser gravado: disco cheio"});
    EXPECT_EQ(window.FPath(), *routeResult_.file);
}

TEST_F(CertificateStartTest, WithImprimirDanfeOffNoDanfeIsWritten) {
    Options options;
    options.idan = 1;
    WriteOptions(dir_ / "cfg.dclrc", options, kCertificate);
    passwords_.passwords[kCertificate] = "segredo";
    routeResult_.file = dir_ / "xml" / (kValidKey + "-nfe.xml");
    auto& window = Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }, 10s));
    EXPECT_TRUE(danfes_.empty());
}

TEST_F(CertificateStartTest, ARouteThatCannotDeliverGoesOnToThePortalAndSaysWhy) {
    WithCertificate();
    // Long enough for two lines: the window shows it whole.
    routeResult_.reason =
        "Não foi possível conectar a https://www1.nfe.fazenda.gov.br/NFeDistribuicaoDFe "
        "(Connection refused). Verifique a conexão com a Internet.";
    auto& window = Start({"vellora", "x", kValidKey, (dir_ / "out").string()});
    // While the service is asked, the overlay covers the window and nothing can be submitted.
    if (!AskedThePortal()) {
        EXPECT_TRUE(window.State().WaitShown());
        EXPECT_FALSE(window.btnPegarHTML->isEnabled());
    }
    ASSERT_TRUE(WaitUntil([&] { return AskedThePortal(); }, 10s));
    EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.consultationPage});
    EXPECT_EQ(lastRequest_.outputFolder, dir_ / "out");
    EXPECT_EQ(window.RouteNote(), QString::fromStdString(routeResult_.reason));
    EXPECT_FALSE(window.btnPegarHTML->isEnabled());  // until the security image shows
    const auto labels = window.findChildren<QLabel*>();
    const auto note = std::find_if(labels.begin(), labels.end(), [&](QLabel* label) {
        return label->text() == QString::fromStdString(routeResult_.reason);
    });
    ASSERT_NE(note, labels.end());
    EXPECT_TRUE((*note)->wordWrap());
    EXPECT_LE((*note)->heightForWidth((*note)->width()), (*note)->height());
    EXPECT_TRUE(window.isVisible());
    // A line in the window, not a box.
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(CertificateStartTest, WithoutAKeyringThePasswordIsAskedOnce) {
    WithCertificate();
    passwords_.answers = false;
    routeResult_.reason = "sem rede";
    dialogs_.passwords = {QString("digitada")};
    Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return AskedThePortal(); }, 10s));
    EXPECT_EQ(dialogs_.inputs, std::vector<QString>{"TARVENIX|NFe|Senha do certificado a1.pfx:"});
    ASSERT_TRUE(lastRequest_.password);
    EXPECT_EQ(lastRequest_.password->view(), "digitada");
}

TEST_F(CertificateStartTest, NoPasswordGoesToThePortalAtOnce) {
    WithCertificate();
    passwords_.answers = false;
    dialogs_.passwords = {std::nullopt};
    auto& window = Start({"vellora", "x", kValidKey});
    EXPECT_EQ(browser_->navigations.size(), 1u);
    EXPECT_EQ(routeRequests_, 0);
    EXPECT_EQ(window.RouteNote(), "A senha do certificado não foi informada.");
}

// "Com Cert." on with a certificate: the result page presses the portal's download once, and
// its end, whatever became of the file, leads to the print page.
TEST_F(CertificateStartTest, TheResultPageTakesThePortalsDownloadFirst) {
    const auto& certificates = test_support::SharedTestCertificates();
    const auto a1 = certificates.files.a1.string();
    struct Case {
        int ccer;
        bool withoutButton;
    };
    for (const auto [ccer, withoutButton] : {Case{0, false}, Case{1, false}, Case{0, true}}) {
        SCOPED_TRACE(std::to_string(ccer) + (withoutButton ? " without the button" : ""));
        Options options;
        options.ccer = ccer;
        WriteOptions(dir_ / "cfg.dclrc", options, a1);
        passwords_.passwords[a1] = certificates.password;
        routeResult_.reason = "sem rede";
        dialogs_.boxes.clear();
        auto& window = Start({"vellora", "x", kValidKey});
        ASSERT_TRUE(WaitUntil([&] { return AskedThePortal(); }, 10s));
        ASSERT_TRUE(browser_->presented);
        EXPECT_THAT(browser_->presented->chainPem, HasSubstr("BEGIN CERTIFICATE"));

        browser_->navigations.clear();
        browser_->location = addresses_.resultPage;
        if (withoutButton) {
            browser_->missingElement = "ctl00$ContentPlaceHolder1$btnDownload";
        }
        window.RunHandler([&] { window.WebBrowser1DocumentComplete(); });
        if (withoutButton) {
            ASSERT_EQ(dialogs_.boxes.size(), 1u);
            EXPECT_EQ(dialogs_.boxes[0].icon, Icon::Error);
            EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.printPage});
            continue;
        }
        if (ccer == 1) {
            EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.printPage});
            EXPECT_TRUE(browser_->actions.empty());
            continue;
        }
        window.RunHandler([&] { window.WebBrowser1DocumentComplete(); });
        EXPECT_EQ(browser_->actions,
                  std::vector<std::string>{"click ctl00$ContentPlaceHolder1$btnDownload"});
        EXPECT_TRUE(browser_->navigations.empty());
        EXPECT_TRUE(window.State().WaitShown());

        // Nothing answers at this address: the box says so, and the conversion still follows.
        window.RunHandler([&] { window.WebBrowser1FileDownload("http://127.0.0.1:1/x"); });
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_TRUE(dialogs_.boxes[0].text.startsWith("O download do arquivo não foi concluído."));
        EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.printPage});
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(fs::exists(dir_ / "xml" / (kValidKey + "-orig.xml")));
    }
}

TEST_F(CertificateStartTest, ADownloadThatDoesNotComeGivesWayToThePrintPage) {
    const auto& certificates = test_support::SharedTestCertificates();
    const auto a1 = certificates.files.a1.string();
    WriteOptions(dir_ / "cfg.dclrc", Options{}, a1);
    passwords_.passwords[a1] = certificates.password;
    routeResult_.reason = "sem rede";
    downloadWaitLimit_ = 0ms;
    auto& window = Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return AskedThePortal(); }, 10s));
    browser_->navigations.clear();
    browser_->location = addresses_.resultPage;
    window.RunHandler([&] { window.WebBrowser1DocumentComplete(); });
    ASSERT_TRUE(WaitUntil([&] { return !browser_->navigations.empty(); }, 10s));
    EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.printPage});
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_TRUE(dialogs_.boxes[0].text.startsWith("O download do portal não veio"));
    // A download announced late changes nothing any more.
    window.RunHandler([&] { window.WebBrowser1FileDownload("http://127.0.0.1:1/x"); });
    EXPECT_EQ(browser_->navigations.size(), 1u);
}

TEST_F(CertificateStartTest, TheSettingsDialogChecksAndKeepsTheCertificate) {
    const auto& certificates = test_support::SharedTestCertificates();
    const auto a1 = QString::fromStdString(certificates.files.a1.string());
    auto& window = Start({"vellora", "x", kValidKey});
    std::vector<QString> statuses;
    dialogs_.files = {a1};
    dialogs_.onDialog = [&](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        config.checkCertificate->click();
        statuses.push_back(config.certificateStatus->text());
        config.certificatePassword->setText("errada");
        config.chooseCertificate->click();
        statuses.push_back(config.certificateStatus->text());
        config.certificatePassword->setText(QString::fromStdString(certificates.password));
        config.checkCertificate->click();
        statuses.push_back(config.certificateStatus->text());
        config.btnSal->click();
    };
    window.ShowSettingsDialog();
    ASSERT_EQ(statuses.size(), 3u);
    EXPECT_EQ(statuses[0], "Escolha o arquivo do certificado (.pfx).");
    EXPECT_THAT(statuses[1].toStdString(), HasSubstr("senha"));
    EXPECT_THAT(statuses[2].toStdString(), HasSubstr("INDUSTRIA BETA DE MAQUINAS S.A."));
    EXPECT_THAT(statuses[2].toStdString(), HasSubstr("CNPJ 44.555.666/0001-81"));
    EXPECT_THAT(statuses[2].toStdString(), HasSubstr("válido até"));

    const auto settings = dir_ / "cfg.dclrc";
    EXPECT_EQ(ReadCertificatePath(settings), certificates.files.a1.string());
    // The five options as before, the certificate after them; its password only in the keyring.
    EXPECT_EQ(ReadFile(settings).rfind("[VELLORA]\r\nfcon=0C\r\nccer=0C\r\nscer=0C\r\nidan=0C\r\n"
                                       "echa=0C\r\ncert=",
                                       0),
              0u);
    EXPECT_EQ(ReadFile(settings).find(certificates.password), std::string::npos);
    EXPECT_EQ(passwords_.passwords[certificates.files.a1.string()], certificates.password);
    EXPECT_EQ(dialogs_.Texts(), std::vector<QString>{"Dados criados com sucesso."});

    // Shown again, the dialog has the path, and checks with the password kept in the keyring.
    dialogs_.onDialog = [&](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        EXPECT_EQ(config.certificateFile->text(), a1);
        config.checkCertificate->click();
        EXPECT_THAT(config.certificateStatus->text().toStdString(), HasSubstr("CNPJ"));
        passwords_.answers = false;
        config.certificatePassword->setText(QString::fromStdString(certificates.password));
        config.btnSal->click();
    };
    dialogs_.boxes.clear();
    window.ShowSettingsDialog();
    EXPECT_EQ(dialogs_.Texts(),
              (std::vector<QString>{"Dados criados com sucesso.",
                                    "A senha do certificado não pôde ser guardada no chaveiro do "
                                    "sistema: ela será pedida a cada execução."}));

    // A wrong password is refused in the dialog, and the kept one stays.
    passwords_.answers = true;
    dialogs_.boxes.clear();
    dialogs_.onDialog = [&](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        config.certificatePassword->setText("errada");
        config.btnSal->click();
        EXPECT_TRUE(config.isVisible());
        EXPECT_THAT(config.certificateStatus->text().toStdString(), HasSubstr("senha"));
    };
    window.ShowSettingsDialog();
    EXPECT_TRUE(dialogs_.boxes.empty());
    EXPECT_EQ(passwords_.passwords[certificates.files.a1.string()], certificates.password);

    // A certificate taken out of the settings leaves nothing of it in the keyring.
    dialogs_.onDialog = [&](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        config.certificateFile->clear();
        config.btnSal->click();
    };
    window.ShowSettingsDialog();
    EXPECT_EQ(ReadCertificatePath(settings), "");
    EXPECT_FALSE(passwords_.passwords.contains(certificates.files.a1.string()));
}

TEST_F(CertificateStartTest, AKeptPasswordThatTheCertificateRefusesIsAskedAgain) {
    const auto& certificates = test_support::SharedTestCertificates();
    const auto a1 = certificates.files.a1.string();
    WriteOptions(dir_ / "cfg.dclrc", Options{}, a1);
    passwords_.passwords[a1] = "antiga";
    routeResult_.reason = "sem rede";
    dialogs_.passwords = {QString::fromStdString(certificates.password)};
    dialogs_.keepPassword = true;
    Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return AskedThePortal(); }, 10s));
    EXPECT_EQ(dialogs_.inputs.size(), 1u);
    ASSERT_TRUE(lastRequest_.password);
    EXPECT_EQ(lastRequest_.password->view(), certificates.password);
    EXPECT_EQ(passwords_.passwords[a1], certificates.password);
    // The browser has the certificate; the window keeps no copy of the password.
    EXPECT_TRUE(browser_->presented);
    EXPECT_TRUE(WaitUntil([&] { return lastRequest_.password.use_count() == 1; }, 10s));
}

RouteResult SummaryOnly() {
    RouteResult summary;
    summary.reason = "Só o resumo da NF-e: falta a Ciência da Operação do destinatário.";
    summary.cienciaMeaning = "A Ciência da Operação é um ato da empresa, em nome de EMPRESA";
    return summary;
}

TEST_F(CertificateStartTest, ASummaryOffersTheCienciaAndAcceptingItAsksTheKeyWithIt) {
    WithCertificate();
    RouteResult full;
    full.file = dir_ / "xml" / (kValidKey + "-nfe.xml");
    routeResults_ = {SummaryOnly(), full};
    dialogs_.askAnswers = {true};
    auto& window = Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }, 10s));
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_THAT(dialogs_.questions[0].text.toStdString(), HasSubstr(SummaryOnly().cienciaMeaning));
    EXPECT_EQ(dialogs_.questions[0].buttons, "Registrar e baixar|Agora não");
    EXPECT_EQ(routeRequests_, 2);
    EXPECT_TRUE(lastRequest_.registerCiencia);
    EXPECT_EQ(window.FPath(), *full.file);
    EXPECT_FALSE(AskedThePortal());
    // Once answered, the window keeps no copy of the password.
    EXPECT_TRUE(WaitUntil([&] { return lastRequest_.password.use_count() == 1; }, 10s));
}

TEST_F(CertificateStartTest, DecliningTheCienciaGoesOnToThePortal) {
    WithCertificate();
    routeResult_ = SummaryOnly();
    dialogs_.askAnswers = {false};
    auto& window = Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return AskedThePortal(); }, 10s));
    EXPECT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(routeRequests_, 1);
    EXPECT_EQ(window.RouteNote(), QString::fromStdString(routeResult_.reason));
}

TEST_F(CertificateStartTest, ClosingDuringTheRouteStopsIt) {
    WithCertificate();
    routeResult_.file = dir_ / "xml" / (kValidKey + "-nfe.xml");
    std::atomic<bool> release = false;
    duringRoute_ = [&] {
        while (!release) {
            std::this_thread::yield();
        }
    };
    auto& window = Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return routeRequests_ == 1; }, 10s));
    EXPECT_TRUE(window.RouteRunning());
    ASSERT_TRUE(lastRequest_.stop);
    EXPECT_FALSE(*lastRequest_.stop);
    window.close();
    EXPECT_TRUE(*lastRequest_.stop);
    release = true;
    ASSERT_TRUE(WaitUntil([&] { return !window.RouteRunning(); }, 10s));
    // The answer that came after the close ends nothing and starts nothing.
    EXPECT_EQ(window.FPath(), fs::path());
    EXPECT_FALSE(AskedThePortal());
}

}  // namespace
}  // namespace app
