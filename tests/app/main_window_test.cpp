#include "app/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include "app/scrambling.h"
#include "app/settings_dialog.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::WaitUntil;
using test_support::WriteFile;

const QString kKeyMissing =
    "Chave da NFe obrigatória.\nEntre em contato com o suporte.\nO sistema será fechado";

TEST_F(MainWindowTest, KeyFromTheCommandLine) {
    struct Case {
        std::vector<std::string> arguments;
        bool accepted;
    };
    const Case cases[] = {
        {{"vellora", "x", kKey, " /tmp/saida \t"}, true},
        {{"vellora", "x", "  " + kKey + "\t"}, true},
        {{"vellora", "x", kKey.substr(1)}, false},
        {{"vellora", "x", kKey + "0"}, false},
        {{"vellora"}, false},
    };
    for (const auto& c : cases) {
        dialogs_.boxes.clear();
        auto& window = Start(c.arguments);
        SCOPED_TRACE(c.arguments.size() > 2 ? c.arguments[2] : "(no key)");
        EXPECT_EQ(window.windowTitle(), "TARVENIX|NFe");
        if (c.accepted) {
            EXPECT_TRUE(dialogs_.boxes.empty());
            EXPECT_EQ(window.State().edtChaveNFeText, kKey);
            EXPECT_TRUE(window.isVisible());
        } else {
            ASSERT_EQ(dialogs_.boxes.size(), 1u);
            EXPECT_EQ(dialogs_.boxes[0].caption, "Erro no Sistema");
            EXPECT_EQ(dialogs_.boxes[0].text, kKeyMissing);
            EXPECT_EQ(dialogs_.boxes[0].icon, Icon::Error);
            EXPECT_EQ(window.State().edtChaveNFeText, "");
            EXPECT_FALSE(window.isVisible());  // the posted close request has been handled
            // The rest of the start-up ran before it.
            EXPECT_EQ(browser_->navigations.size(), 1u);
        }
    }
    EXPECT_EQ(Start({"vellora", "x", kKey, " /tmp/saida \t"}).OutputFolder(), "/tmp/saida");
    EXPECT_EQ(Start({"vellora", "x", kKey}).OutputFolder(), "");
    // Installed where it cannot write, the default folder is the user's.
    defaultOutputFolder_ = "/home/ana/.local/share/vellora/xml";
    EXPECT_EQ(Start({"vellora", "x", kKey}).OutputFolder(), defaultOutputFolder_);
    EXPECT_EQ(Start({"vellora", "x", kKey, "/tmp/saida"}).OutputFolder(), "/tmp/saida");
}

TEST_F(MainWindowTest, ConnectedStartLoadsTheConsultationPage) {
    WriteSettings(Options{0, 1, 0, 1, 1});
    auto& window = Start({"vellora", "x", kKey});
    const auto& state = window.State();
    EXPECT_TRUE(state.Connected());
    // Nothing to confirm before the security image shows.
    EXPECT_FALSE(state.btnPegarHTML);
    EXPECT_FALSE(window.btnPegarHTML->isEnabled());
    EXPECT_TRUE(state.WaitShown());
    EXPECT_EQ(window.pnl2->y(), 0);
    EXPECT_EQ(browser_->cacheClears, 1);
    EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.consultationPage});
    // The settings were applied after the restart.
    EXPECT_FALSE(state.btnDow);
    EXPECT_TRUE(state.btnDados);
    EXPECT_FALSE(state.btnPrint);
    EXPECT_FALSE(state.edtChaveNFe);
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(MainWindowTest, WithoutConnectionNothingLoadsUntilItReturns) {
    Connected(false);
    auto& window = Start({"vellora", "x", kKey});
    EXPECT_FALSE(window.State().Connected());
    EXPECT_FALSE(window.btnPegarHTML->isEnabled());
    EXPECT_FALSE(window.State().WaitShown());
    EXPECT_TRUE(browser_->navigations.empty());

    window.Label3Click();  // "Recarregar Imagem de Segurança"
    EXPECT_TRUE(browser_->navigations.empty());

    // The next tick shows the returning connection; then the link works again.
    Connected(true);
    window.tmr1Timer();
    EXPECT_TRUE(window.State().Connected());
    EXPECT_FALSE(window.btnPegarHTML->isEnabled());  // no button follows the indicator
    window.Label3Click();
    EXPECT_EQ(browser_->navigations.size(), 1u);
    EXPECT_FALSE(window.btnPegarHTML->isEnabled());  // until the image shows
}

TEST_F(MainWindowTest, TheConnectionIsTheSystemsAndThePortalHearsNothingOfIt) {
    auto& window = Start({"vellora", "x", kKey});
    for (int tick = 0; tick < 3; ++tick) {
        window.tmr1Timer();
    }
    EXPECT_TRUE(window.State().Connected());
    EXPECT_EQ(browser_->navigations.size(), 1u);
    QApplication::processEvents();
    EXPECT_FALSE(portal_.hasPendingConnections());
}

TEST_F(MainWindowTest, EscapeClosesAndCleansUp) {
    fs::create_directory(dir_ / "xml");
    WriteFile(dir_ / "captcha.png", "png");
    auto& window = Start({"vellora", "x", kKey});
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.edtCaptcha, &escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(fs::exists(dir_ / "xml"));
    EXPECT_FALSE(fs::exists(dir_ / "captcha.png"));
    EXPECT_TRUE(fs::exists(dir_ / "cfg.dclrc"));

    fs::create_directory(dir_ / "xml");
    WriteFile(dir_ / "xml" / (kKey + "-nfe.xml"), "<nfeProc/>");
    auto& second = Start({"vellora", "x", kKey});
    second.btnFecharClick();
    EXPECT_FALSE(second.isVisible());
    EXPECT_TRUE(fs::exists(dir_ / "xml" / (kKey + "-nfe.xml")));
}

// The security image shown, the wait gone, and the keyboard in the captcha box.
void ShowTheCaptchaWithTheKeyboardInItsBox(TfrmVLPrincipal& window) {
    window.State().HideWait();
    window.State().CaptchaShown();
    window.Reflect();
    window.activateWindow();
    window.edtCaptcha->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return window.edtCaptcha->hasFocus(); }));
}

TEST_F(MainWindowTest, TheReminderGivesTheKeyboardBackToTheCaptchaBox) {
    auto& window = Start({"vellora", "x", kKey});
    ShowTheCaptchaWithTheKeyboardInItsBox(window);
    ASSERT_FALSE(HasFatalFailure());
    window.edtCaptcha->setText("ab");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.edtCaptcha, &enter);
    EXPECT_EQ(dialogs_.Texts(), std::vector<QString>{"Informe o codigo da imagem de segurança"});
    EXPECT_TRUE(window.edtCaptcha->hasFocus());
    EXPECT_EQ(window.edtCaptcha->text(), "ab");
}

TEST_F(MainWindowTest, TabNeverReachesTheBrowser) {
    auto& window = Start({"vellora", "x", kKey});
    ShowTheCaptchaWithTheKeyboardInItsBox(window);
    ASSERT_FALSE(HasFatalFailure());
    std::vector<QWidget*> reached;
    for (int step = 0; step < 6; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
        EXPECT_FALSE(browserView_->hasFocus());
    }
    // The link can be reached and pressed with the keyboard.
    EXPECT_NE(std::find(reached.begin(), reached.end(), window.Label3), reached.end());
    window.Label3->setFocus(Qt::TabFocusReason);
    browser_->navigations.clear();
    QTest::keyClick(window.Label3, Qt::Key_Return);
    EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.consultationPage});
}

// A control that takes every key, as the browser's own render widget does.
class KeyTaker : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void keyPressEvent(QKeyEvent* event) override { event->accept(); }
};

TEST_F(MainWindowTest, EscapeClosesWhereverTheFocusIs) {
    auto& window = Start({"vellora", "x", kKey});
    auto* taker = new KeyTaker(&window);
    taker->setFocusPolicy(Qt::StrongFocus);
    taker->show();
    window.activateWindow();
    taker->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return taker->hasFocus(); }));
    QTest::keyClick(taker, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, NothingTypedUnderTheWaitReachesTheWindow) {
    auto& window = Start({"vellora", "x", kKey});
    ASSERT_TRUE(window.State().WaitShown());
    window.State().CaptchaShown();
    window.Reflect();
    window.edtCaptcha->setText("AB1");
    QTest::keyClick(window.edtCaptcha, Qt::Key_2);
    QTest::keyClick(window.edtCaptcha, Qt::Key_Return);
    EXPECT_EQ(window.edtCaptcha->text(), "AB1");
    EXPECT_TRUE(dialogs_.boxes.empty());
    EXPECT_TRUE(browser_->actions.empty());
    QTest::keyClick(window.btnPegarHTML, Qt::Key_Space);
    EXPECT_TRUE(browser_->actions.empty());
    // Nor can the settings be opened through the overlay.
    EXPECT_EQ(window.contextMenuPolicy(), Qt::NoContextMenu);
    window.State().HideWait();
    window.Reflect();
    EXPECT_EQ(window.contextMenuPolicy(), Qt::ActionsContextMenu);
}

TEST_F(MainWindowTest, EveryCaptionIsTheProgramsName) {
    auto& window = Start({"vellora", "x", kKey});
    EXPECT_EQ(window.windowTitle(), "TARVENIX|NFe");
    EXPECT_EQ(kApplicationTitle, "TARVENIX|NFe");
    std::vector<QString> captions;
    dialogs_.onDialog = [&](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        captions.push_back(config.windowTitle());
        for (auto* group : {config.rg1, config.rg2, config.rg3, config.rg4, config.rg6}) {
            const auto buttons = group->findChildren<QRadioButton*>();
            ASSERT_EQ(buttons.size(), 2);
            EXPECT_FALSE(buttons[0]->geometry().intersects(buttons[1]->geometry()));
            for (auto* button : buttons) {
                EXPECT_TRUE(group->contentsRect().contains(button->geometry()))
                    << button->text().toStdString();
                // Not squeezed: the whole caption shows.
                EXPECT_GE(button->width(), button->sizeHint().width())
                    << button->text().toStdString();
            }
        }
    };
    window.ShowSettingsDialog();
    EXPECT_EQ(captions, std::vector<QString>{"TARVENIX|NFe - Configurador"});
}

TEST_F(MainWindowTest, PageMessagesConfirmOnlyTheBrowsersBox) {
    auto& window = Start({"vellora", "x", kKey});
    // A box of the program's own is open when the page's message comes: the access-code box,
    // the settings dialog.
    QDialog own(&window);
    own.setModal(true);
    own.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &own);
    window.WebBrowser1ShowMessage("NF-e cancelada");
    window.tmr2Timer();
    EXPECT_TRUE(own.isVisible());
    EXPECT_EQ(own.result(), 0);
    EXPECT_EQ(browser_->confirmations, 1);
    // One signal, one confirmation: the next tick confirms nothing more.
    window.tmr2Timer();
    EXPECT_EQ(browser_->confirmations, 1);
}

TEST_F(MainWindowTest, UnreadableSettingsStopTheStartUp) {
    WriteFile(dir_ / "cfg.dclrc", "[VELLORA]\nfcon=GC\nccer=GC\nscer=\nidan=GC\necha=GC\n");
    auto& window = Start({"vellora", "x", kKey});
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text, "'' não é um valor inteiro válido.");
    EXPECT_EQ(dialogs_.boxes[0].icon, Icon::Error);
    const auto& state = window.State();
    EXPECT_EQ(state.options.fcon, 1);
    EXPECT_EQ(state.options.ccer, 1);
    EXPECT_EQ(state.options.echa, 0);  // not read
    EXPECT_TRUE(state.edtChaveNFe);    // nothing applied
}

// Every input has a label or a group title that names it for the keyboard and the screen
// reader, and every font follows the desktop's size (points, not pixels).
void ExpectReachableAndScalable(const QWidget& top) {
    for (const auto* widget : top.findChildren<QWidget*>()) {
        EXPECT_EQ(widget->font().pixelSize(), -1) << widget->objectName().toStdString();
    }
    for (const auto* box : top.findChildren<QLineEdit*>()) {
        if (!box->isVisibleTo(&top)) {
            continue;
        }
        const auto labels = top.findChildren<QLabel*>();
        const bool labelled = std::any_of(labels.begin(), labels.end(), [box](const QLabel* label) {
            return label->buddy() == box;
        });
        // A box alone in a titled group is named by the group's title.
        const auto* group = qobject_cast<const QGroupBox*>(box->parentWidget());
        const bool titled = group != nullptr && !group->title().isEmpty();
        EXPECT_TRUE(labelled || titled) << box->accessibleName().toStdString();
        EXPECT_FALSE(box->accessibleName().isEmpty());
    }
}

TEST_F(MainWindowTest, LabelsNameTheirBoxesAndFontsFollowTheDesktop) {
    auto& window = Start({"vellora", "x", kKey});
    ExpectReachableAndScalable(window);
    int dialogs = 0;
    dialogs_.onDialog = [&](QDialog& dialog) {
        ++dialogs;
        ExpectReachableAndScalable(dialog);
    };
    window.ShowSettingsDialog();
    EXPECT_EQ(dialogs, 1);
}

TEST_F(MainWindowTest, FirstStartShowsTheSettingsDialog) {
    fs::remove(dir_ / "cfg.dclrc");
    dialogs_.onDialog = [](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        EXPECT_EQ(config.windowTitle(), "TARVENIX|NFe - Configurador");
        config.rg6->SetItemIndex(1);
        config.btnSal->click();
    };
    auto& window = Start({"vellora", "x", kKey});
    EXPECT_EQ(dialogs_.dialogsShown, 1);
    EXPECT_EQ(dialogs_.Texts(), std::vector<QString>{"Dados criados com sucesso."});
    EXPECT_EQ(ReadFile(dir_ / "cfg.dclrc"),
              "[VELLORA]\r\nfcon=0C\r\nccer=0C\r\nscer=0C\r\nidan=0C\r\necha=GC\r\n");
    EXPECT_FALSE(window.State().edtChaveNFe);
    EXPECT_EQ(browser_->navigations.size(), 1u);
}

TEST_F(MainWindowTest, FirstStartClosedWithoutSavingEndsTheProgram) {
    // "Fechar", and the title bar's close (or Alt+F4), alike.
    const std::function<void(QDialog&)> closings[] = {
        [](QDialog& dialog) { static_cast<TfrmVLConfig&>(dialog).btnClo->click(); },
        [](QDialog& dialog) {
            QCloseEvent close;
            QApplication::sendEvent(&dialog, &close);
        }};
    for (const auto& closing : closings) {
        fs::remove(dir_ / "cfg.dclrc");
        terminations_ = 0;
        dialogs_ = FakeDialogs();
        dialogs_.onDialog = closing;
        Start({"vellora", "x", kKey});
        EXPECT_EQ(terminations_, 1);
        EXPECT_EQ(dialogs_.dialogsShown, 1);
        EXPECT_TRUE(dialogs_.boxes.empty());
        EXPECT_TRUE(browser_->navigations.empty());
    }
}

TEST_F(MainWindowTest, SettingsBehindTheAccessCode) {
    auto& window = Start({"vellora", "x", kKey});
    std::vector<int> shownWith;
    dialogs_.onDialog = [&](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        shownWith.push_back(config.rg2->ItemIndex());
        for (auto* group : {config.rg1, config.rg2, config.rg3, config.rg4, config.rg6}) {
            group->SetItemIndex(1);
        }
        config.btnSal->click();
        EXPECT_FALSE(config.isVisible());
    };

    dialogs_.passwords = {std::nullopt, QString("575504"), QString("575503"), QString("575503")};
    window.Configurar1Click();  // cancelled: nothing
    EXPECT_TRUE(dialogs_.boxes.empty());
    window.Configurar1Click();  // wrong code
    EXPECT_EQ(dialogs_.Texts(),
              std::vector<QString>{"Senha informada está errada. Tente novamente."});
    EXPECT_EQ(dialogs_.dialogsShown, 0);
    // A password box: what is typed is not shown.
    EXPECT_EQ(dialogs_.inputs[0], "TARVENIX|NFe|Informe a senha para acessar.");

    window.Configurar1Click();  // the day's code: 10/12/25 gives 575503
    window.Configurar1Click();  // the dialog now shows what was saved
    EXPECT_EQ(shownWith, (std::vector<int>{0, 1}));
    EXPECT_EQ(ReadFile(dir_ / "cfg.dclrc"),
              "[VELLORA]\r\nfcon=GC\r\nccer=GC\r\nscer=GC\r\nidan=GC\r\necha=GC\r\n");
    const auto& state = window.State();
    EXPECT_FALSE(state.btnDow || state.btnDados || state.btnPrint || state.edtChaveNFe);
}

TEST_F(MainWindowTest, SettingsThatCannotBeWrittenKeepTheDialogOpen) {
    auto& window = Start({"vellora", "x", kKey});
    fs::remove(dir_ / "cfg.dclrc");
    fs::create_directory(dir_ / "cfg.dclrc");
    dialogs_.onDialog = [](QDialog& dialog) {
        auto& config = static_cast<TfrmVLConfig&>(dialog);
        config.btnSal->click();
        EXPECT_TRUE(config.isVisible());
    };
    window.ShowSettingsDialog();
    // Reading the options when the dialog opens fails first, then saving.
    ASSERT_EQ(dialogs_.boxes.size(), 2u);
    EXPECT_TRUE(dialogs_.boxes[1].text.startsWith("Não foi possível gravar o arquivo"));
    EXPECT_EQ(dialogs_.boxes[1].icon, Icon::Error);
}

}  // namespace
}  // namespace app
