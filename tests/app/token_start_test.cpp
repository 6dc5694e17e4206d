// The company's A3 on a token (SoftHSM2 in the tests) in the desktop program: chosen in the
// settings from the certificates found, its PIN asked at a start by key and never kept.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "tests/app/main_window_fixture.h"
#include "tests/dfe/support/test_token.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"

namespace app {
namespace {

using test_support::WaitUntil;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::chrono_literals;

const std::string kValidKey = "35150761024385000111550010000001011102030405";

class TokenStartTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        pkcs11Module_ = token_.module;
    }
    bool AskedThePortal() const { return !browser_->navigations.empty(); }
    std::string Status(const TfrmVLConfig& config) const {
        return config.certificateStatus->text().toStdString();
    }

    const test_support::TestToken& token_ = test_support::SharedTestToken();
};

TEST_F(TokenStartTest, TheSettingsListTheTokensCertificatesAndKeepOnlyTheAddress) {
    auto& window = Start({"vellora", "x", "y"});
    std::string chosenUri;
    dialogs_.onDialog = [&](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        EXPECT_FALSE(config.tokenNote->isVisible());
        config.certificateA3->click();
        EXPECT_TRUE(config.tokenCertificates->isVisible());
        EXPECT_FALSE(config.certificateFile->isVisible());
        // The person is told that the portal gets no certificate from a token.
        EXPECT_TRUE(config.tokenNote->isVisible());
        EXPECT_THAT(config.tokenNote->text().toStdString(), HasSubstr("portal"));
        ASSERT_EQ(config.tokenCertificates->count(), 1);
        EXPECT_THAT(
            config.tokenCertificates->currentText().toStdString(),
            HasSubstr("EMPRESA: INDUSTRIA BETA DE MAQUINAS S.A. — CNPJ 44.555.666/0001-81"));
        chosenUri = config.tokenCertificates->currentData().toString().toStdString();

        config.checkCertificate->click();
        EXPECT_EQ(Status(config), "Informe o PIN do token.");
        // A wrong PIN keeps the dialog, and nothing is saved.
        config.certificatePassword->setText("0000");
        config.btnSal->click();
        EXPECT_TRUE(config.isVisible());
        EXPECT_THAT(Status(config), HasSubstr("O PIN do token está incorreto"));
        config.certificatePassword->setText(QString::fromStdString(token_.pin));
        config.checkCertificate->click();
        EXPECT_THAT(Status(config), HasSubstr("CNPJ 44.555.666/0001-81"));
        config.btnSal->click();
    };
    window.ShowSettingsDialog();
    const auto settings = dir_ / "cfg.dclrc";
    EXPECT_THAT(chosenUri, HasSubstr("pkcs11:token=EMPRESA"));
    EXPECT_EQ(ReadCertificatePath(settings), chosenUri);
    EXPECT_THAT(test_support::ReadFile(settings), Not(HasSubstr(token_.pin)));
    EXPECT_TRUE(passwords_.passwords.empty());

    // Shown again, the token's certificate is the one chosen; with its token away, it stays.
    for (const bool present : {true, false}) {
        if (!present) {
            WriteOptions(settings, Options{}, "pkcs11:token=OUTRO;id=%01");
        }
        dialogs_.onDialog = [&](QDialog& dialog) {
            auto& config = static_cast<TfrmVLConfig&>(dialog);
            EXPECT_TRUE(config.certificateA3->isChecked());
            EXPECT_EQ(config.tokenCertificates->currentData().toString().toStdString(),
                      present ? chosenUri : "pkcs11:token=OUTRO;id=%01");
            config.btnSal->click();
        };
        window.ShowSettingsDialog();
    }
    EXPECT_EQ(ReadCertificatePath(settings), "pkcs11:token=OUTRO;id=%01");
}

TEST_F(TokenStartTest, WithNoTokenCertificateToChooseTheCertificateConfiguredStays) {
    pkcs11Module_ = "/nao/existe/modulo.so";
    const auto settings = dir_ / "cfg.dclrc";
    WriteOptions(settings, Options{}, "/empresa/a1.pfx");
    auto& window = Start({"vellora", "x", "y"});
    dialogs_.onDialog = [&](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        config.certificateA3->click();
        EXPECT_EQ(config.tokenCertificates->count(), 0);
        EXPECT_THAT(Status(config), HasSubstr("não pôde ser carregado"));
        config.btnSal->click();
        EXPECT_TRUE(config.isVisible());
        EXPECT_THAT(Status(config), HasSubstr("Escolha um certificado da lista"));
        config.btnClo->click();
    };
    window.ShowSettingsDialog();
    EXPECT_EQ(ReadCertificatePath(settings), "/empresa/a1.pfx");
}

TEST_F(TokenStartTest, AStartByKeyAsksThePinAndGivesTheRouteTheTokensAddress) {
    WriteOptions(dir_ / "cfg.dclrc", Options{}, token_.uri);
    routeResult_.reason = "sem rede";
    dialogs_.passwords = {QString::fromStdString(token_.pin)};
    Start({"vellora", "x", kValidKey});
    ASSERT_TRUE(WaitUntil([&] { return AskedThePortal(); }, 10s));
    EXPECT_EQ(dialogs_.inputs, std::vector<QString>{"TARVENIX|NFe|PIN do token EMPRESA:"});
    EXPECT_EQ(routeRequests_, 1);
    EXPECT_EQ(lastRequest_.certificate, token_.uri);
    ASSERT_TRUE(lastRequest_.password);
    EXPECT_EQ(lastRequest_.password->view(), token_.pin);
    // Neither kept in the keyring nor given to the browser, which cannot use a token.
    EXPECT_EQ(passwords_.reads, 0);
    EXPECT_TRUE(passwords_.passwords.empty());
    EXPECT_FALSE(browser_->presented);
}

TEST_F(TokenStartTest, WithoutItsTokenOrAnAcceptedPinThePortalGoesOnAndSaysWhy) {
    struct Case {
        const char* name;
        std::string uri;
        std::deque<std::optional<QString>> typed;
        std::string note;
    };
    const Case cases[] = {
        {"token absent", "pkcs11:token=OUTRO", {}, "não foi encontrado"},
        {"no PIN", token_.uri, {std::nullopt}, "O PIN do token não foi informado."},
        {"wrong PIN", token_.uri, {QString("0000")}, "O PIN do token está incorreto"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteOptions(dir_ / "cfg.dclrc", Options{}, c.uri);
        dialogs_.inputs.clear();
        dialogs_.passwords = c.typed;
        auto& window = Start({"vellora", "x", kValidKey});
        ASSERT_TRUE(WaitUntil([&] { return AskedThePortal(); }, 10s));
        EXPECT_EQ(dialogs_.inputs.size(), c.typed.size());
        EXPECT_EQ(routeRequests_, 0);
        EXPECT_THAT(window.RouteNote().toStdString(), HasSubstr(c.note));
    }
}

}  // namespace
}  // namespace app
