// The query as the window runs it on a fake browser: what "CONFIRMAR" sends, what each page
// the portal answers with leads to, and the two download buttons.

#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "tests/app/main_window_fixture.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using test_support::WriteFile;

const std::string kKeyField = "ctl00$ContentPlaceHolder1$txtChaveAcessoCompleta";
const std::string kCaptchaField = "ctl00$ContentPlaceHolder1$txtCaptcha";
const std::string kSubmitButton = "ctl00$ContentPlaceHolder1$btnConsultar";
const QString kWrongKey = "Chave incorreta. Verifique a chave informada.";
// A key that passes every check, CNPJ included.
const std::string kValidKey = "35150761024385000111550010000001011102030405";

// The body of a consultation page whose security image is a small PNG picture.
std::string ConsultationPageBody() {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return "<DIV><IMG src=\"data:image/png;base64," + buffer.data().toBase64().toStdString() +
           "\"> <INPUT name=\"" + kCaptchaField + "\"></DIV>";
}

class QueryFlowTest : public MainWindowTest {
protected:
    // The captcha step writes "captcha.png" into the working directory.
    void SetUp() override {
        MainWindowTest::SetUp();
        previousDirectory_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(workingDirectory_.path().string()));
    }

    void TearDown() override { QDir::setCurrent(previousDirectory_); }

    TfrmVLPrincipal& StartWithCaptchaShown() {
        auto& window = Start({"vellora", "x", kValidKey});
        browser_->navigations.clear();
        window.img1->setPixmap(QPixmap(8, 8));
        window.State().HideWait();
        window.State().CaptchaShown();
        window.Reflect();
        return window;
    }

    // A page load ends at this address, answered with this HTTP error status, if any.
    void PageLoaded(const std::string& location, std::optional<int> httpError = std::nullopt) {
        browser_->location = location;
        browser_->httpError = httpError;
        window_->RunHandler([this] { window_->WebBrowser1DocumentComplete(); });
    }

    // The person types into the captcha box and presses Enter there.
    void TypeAndEnter(const QString& captcha) {
        window_->edtCaptcha->setText(captcha);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(window_->edtCaptcha, &enter);
    }

    std::size_t Submissions() const {
        return static_cast<std::size_t>(std::count(
            browser_->actions.begin(), browser_->actions.end(), "click " + kSubmitButton));
    }

    test_support::TemporaryDirectory workingDirectory_;
    QString previousDirectory_;
};

TEST_F(QueryFlowTest, ConfirmarChecksTheQueryButSubmitsWhateverTheOutcome) {
    struct Case {
        std::string keyBox;
        QString captcha;
        std::vector<QString> boxes;
        std::string submittedKey;
    };
    const std::string grouped = "3515 0761 0243 8500 0111 5500 1000 0001 0111 0203 0405";
    const Case cases[] = {
        {kValidKey, "AB12", {}, kValidKey},
        {grouped, "AB12", {}, kValidKey},
        {"3515.0761/0243", "AB12", {kWrongKey}, "351507610243"},
        {kKey, "AB12", {kWrongKey}, kKey},  // a CNPJ of zeros
        {kValidKey, " ab ", {"Digite os caracteres da imagem."}, kValidKey},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyBox + " / " + c.captcha.toStdString());
        dialogs_.boxes.clear();
        auto& window = StartWithCaptchaShown();
        window.State().edtChaveNFeText = c.keyBox;
        window.edtCaptcha->setText(c.captcha);
        window.RunHandler([&] { window.btnPegarHTMLClick(); });

        EXPECT_EQ(dialogs_.Texts(), c.boxes);
        EXPECT_EQ(browser_->actions,
                  (std::vector<std::string>{kKeyField + "=" + c.submittedKey,
                                            kCaptchaField + "=" + c.captcha.toStdString(),
                                            "click " + kSubmitButton}));
        const auto& state = window.State();
        EXPECT_EQ(state.edtChaveNFeText, c.submittedKey);
        EXPECT_TRUE(state.WaitShown());
        EXPECT_FALSE(window.btnPegarHTML->isEnabled());
        EXPECT_FALSE(state.btnNovaConsulta);
    }
}

TEST_F(QueryFlowTest, FormThatCannotBeFilledLeavesNovaConsultaToThePerson) {
    auto& window = StartWithCaptchaShown();
    browser_->missingElement = kCaptchaField;
    window.edtCaptcha->setText("AB12");
    window.RunHandler([&] { window.btnPegarHTMLClick(); });
    EXPECT_EQ(dialogs_.Texts(),
              std::vector<QString>{
                  "O elemento \"ctl00$ContentPlaceHolder1$txtCaptcha\" não está na página."});
    EXPECT_EQ(dialogs_.boxes[0].icon, Icon::Error);
    EXPECT_EQ(browser_->actions, std::vector<std::string>{kKeyField + "=" + kValidKey});
    EXPECT_TRUE(window.State().btnNovaConsulta);
    EXPECT_FALSE(window.State().WaitShown());

    window.btnNovaConsultaClick();
    EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.consultationPage});
}

TEST_F(QueryFlowTest, EnterInTheCaptchaBoxSubmitsOnlyFourCharactersOrMore) {
    auto& window = StartWithCaptchaShown();
    window.edtCaptcha->setText(" ab ");
    EXPECT_TRUE(window.edtCaptchaKeyDown(Qt::Key_Return));
    EXPECT_EQ(dialogs_.Texts(), std::vector<QString>{"Informe o codigo da imagem de segurança"});
    EXPECT_TRUE(browser_->actions.empty());

    window.edtCaptcha->setText("ab12");
    EXPECT_FALSE(window.edtCaptchaKeyDown(Qt::Key_A));
    EXPECT_TRUE(browser_->actions.empty());
    EXPECT_TRUE(window.edtCaptchaKeyDown(Qt::Key_Enter));
    EXPECT_EQ(browser_->actions.size(), 3u);
    // "CONFIRMAR" is off now: a second Enter sends nothing more.
    EXPECT_TRUE(window.edtCaptchaKeyDown(Qt::Key_Return));
    EXPECT_EQ(browser_->actions.size(), 3u);
}

TEST_F(QueryFlowTest, ANewSecurityImageCanBeSubmittedAgain) {
    // The portal answers a submission with a fresh consultation page, no box in between.
    auto& window = StartWithCaptchaShown();
    TypeAndEnter("AB12");
    EXPECT_EQ(Submissions(), 1u);
    EXPECT_FALSE(window.btnPegarHTML->isEnabled());
    TypeAndEnter("AB12");  // the answer has not come yet
    EXPECT_EQ(Submissions(), 1u);

    browser_->body = ConsultationPageBody();
    PageLoaded(addresses_.consultationPage);
    EXPECT_FALSE(window.img1->pixmap().isNull());
    EXPECT_TRUE(fs::exists(workingDirectory_ / "captcha.png"));
    EXPECT_TRUE(window.btnPegarHTML->isEnabled());
    TypeAndEnter("CD34");
    EXPECT_EQ(Submissions(), 2u);
    EXPECT_EQ(browser_->actions.back(), "click " + kSubmitButton);
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(QueryFlowTest, EnterDuringASubmissionSendsNothingMore) {
    // A key that fails its check leaves CONFIRMAR on while the form is filled, and the real
    // browser lets key presses through while it waits for the page.
    auto& window = StartWithCaptchaShown();
    window.State().edtChaveNFeText = kKey;
    browser_->duringFormAccess = [&] { window.edtCaptchaKeyDown(Qt::Key_Return); };
    TypeAndEnter("AB12");
    EXPECT_EQ(Submissions(), 1u);
    EXPECT_EQ(browser_->actions.size(), 3u);
    EXPECT_EQ(dialogs_.Texts(), std::vector<QString>{kWrongKey});
}

TEST_F(QueryFlowTest, AfterAMessageTheNewImageHasTheKeyboard) {
    auto& window = StartWithCaptchaShown();
    window.activateWindow();
    window.edtCaptcha->setFocus();
    ASSERT_TRUE(test_support::WaitUntil([&] { return window.edtCaptcha->hasFocus(); }));
    TypeAndEnter("AB12");
    // The Enter was the captcha box's: the keyboard stays there, never in the browser.
    EXPECT_EQ(window.focusWidget(), window.edtCaptcha);
    EXPECT_NE(QApplication::focusWidget(), browserView_);

    PageLoaded(addresses_.wrongCaptchaReturn);
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    browser_->body = ConsultationPageBody();
    PageLoaded(addresses_.consultationPage);
    EXPECT_EQ(window.focusWidget(), window.edtCaptcha);
    EXPECT_TRUE(window.edtCaptcha->hasFocus());
}

TEST_F(QueryFlowTest, APageThatDoesNotAnswerLeavesTheLinkReachable) {
    for (const bool stopsAnswering : {true, false}) {
        for (const auto& page : {addresses_.consultationPage, addresses_.printPage}) {
            SCOPED_TRACE(page + (stopsAnswering ? " stops answering" : " has no body"));
            dialogs_.boxes.clear();
            auto& window = StartWithCaptchaShown();
            window.State().ShowWait();
            window.Reflect();
            browser_->bodyStopsAnswering = stopsAnswering;
            PageLoaded(page);
            EXPECT_EQ(dialogs_.Texts(),
                      std::vector<QString>{"A página do portal não respondeu. Tente novamente."});
            EXPECT_FALSE(window.State().WaitShown());
            EXPECT_EQ(window.pnl2->y(), 2000);

            window.Label3Click();
            EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.consultationPage});
        }
    }
}

TEST_F(QueryFlowTest, PortalAnswersThatEndInABoxAndANewQuery) {
    struct Case {
        std::string location;
        std::optional<int> httpError;
        QString text;
        Icon icon;
        bool overlayHidden;
    };
    const QString sefaz = "Erro encontrado na Sefaz Nacional. Tente novamente em alguns instantes.";
    const Case cases[] = {
        {addresses_.notFoundPage, std::nullopt,
         "NF-e INEXISTENTE na base nacional, favor consultar esta NF-e no site da SEFAZ de "
         "origem.",
         Icon::Error, true},
        {addresses_.wrongCaptchaReturn, std::nullopt,
         "Imagem de segurança informada é inválida. Tente novamente.", Icon::Warning, false},
        {addresses_.consultationPage, 500, sefaz, Icon::Error, false},
        {addresses_.printPage, 404, sefaz, Icon::Error, false},
        {"http://127.0.0.1:1/portal/manutencao.aspx", std::nullopt, sefaz, Icon::Error, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location);
        dialogs_.boxes.clear();
        auto& window = StartWithCaptchaShown();
        WriteFile(dir_ / "captcha.png", "png");
        WriteFile(dir_ / "captcha.jpg", "jpg");
        window.edtCaptcha->setText("AB12");
        window.RunHandler([&] { window.btnPegarHTMLClick(); });

        PageLoaded(c.location, c.httpError);
        ASSERT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_EQ(dialogs_.boxes[0].text, c.text);
        EXPECT_EQ(dialogs_.boxes[0].icon, c.icon);
        // The restart: picture and captcha files gone, a new consultation page on its way.
        EXPECT_TRUE(window.img1->pixmap().isNull());
        EXPECT_FALSE(fs::exists(dir_ / "captcha.png"));
        EXPECT_FALSE(fs::exists(dir_ / "captcha.jpg"));
        EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.consultationPage});
        EXPECT_TRUE(window.edtCaptcha->text().isEmpty());
        EXPECT_FALSE(window.btnPegarHTML->isEnabled());  // until the new image shows
        EXPECT_EQ(!window.State().WaitShown(), c.overlayHidden);
    }
}

TEST_F(QueryFlowTest, ErrorPageWithTheConnectionGoneLeavesTheLinkReachable) {
    auto& window = StartWithCaptchaShown();
    window.edtCaptcha->setText("AB12");
    window.RunHandler([&] { window.btnPegarHTMLClick(); });
    Connected(false);
    window.tmr1Timer();
    PageLoaded(addresses_.wrongCaptchaReturn);
    EXPECT_EQ(dialogs_.Texts(),
              std::vector<QString>{"Imagem de segurança informada é inválida. Tente novamente."});
    EXPECT_TRUE(browser_->navigations.empty());
    EXPECT_FALSE(window.State().WaitShown());
    EXPECT_EQ(window.pnl2->y(), 2000);

    Connected(true);
    window.tmr1Timer();
    window.Label3Click();
    EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.consultationPage});
}

TEST_F(QueryFlowTest, DownloadGoesToThePrintPageOnlyFromTheResultPage) {
    auto& window = StartWithCaptchaShown();
    for (const auto& elsewhere :
         {addresses_.consultationPage, addresses_.resultViewer, addresses_.resultPage + "#"}) {
        browser_->location = elsewhere;
        window.btnDadosClick();
    }
    EXPECT_TRUE(browser_->navigations.empty());
    EXPECT_FALSE(window.img1->pixmap().isNull());
    EXPECT_FALSE(window.State().WaitShown());

    browser_->location = addresses_.resultPage;
    window.btnDadosClick();
    EXPECT_EQ(browser_->navigations, std::vector<std::string>{addresses_.printPage});
    EXPECT_TRUE(window.img1->pixmap().isNull());
    EXPECT_TRUE(window.State().WaitShown());
}

TEST_F(QueryFlowTest, CertificateDownloadRefusesAKeyBoxThatIsNoKey) {
    // "Download (*)" may be on before any check has cleaned the key box.
    auto& window = StartWithCaptchaShown();
    window.State().ShowWait();
    window.State().edtChaveNFeText = "../../" + kValidKey;
    window.RunHandler([&] { window.WebBrowser1FileDownload("http://127.0.0.1:1/"); });
    EXPECT_EQ(dialogs_.Texts(), std::vector<QString>{kWrongKey});
    EXPECT_FALSE(fs::exists(dir_ / "xml"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.State().WaitShown());
}

}  // namespace
}  // namespace app
