// The whole run as a person makes it: the real main window on the real embedded browser,
// against the sample portal on a loopback port. The person types the captcha and presses
// Enter; every other box is answered by the fake dialogs or, for the page's own messages, by
// the program itself.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>

#include "app/connection_state.h"
#include "app/main_window.h"
#include "app/settings.h"
#include "capture/page_lines.h"
#include "convert/convert_page_text.h"
#include "nfe/access_key.h"
#include "portal/webengine_browser.h"
#include "tests/dfe/support/served_distribution.h"
#include "tests/dfe/support/test_certificates.h"
#include "tests/dfe/support/test_token.h"
#include "tests/support-qt/fakes.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::WaitUntil;
using test_support::WriteFile;
using namespace std::chrono_literals;

const std::string kNormal = "35150761024385000111550010000001011102030405";
const std::string kCancelled = "35160561024385000111550010000001121141516176";
const std::string kLayout400 = "35240361024385000111550010000001131171819201";
const std::string kServerError = "35160761024385000111550090000009011161718198";
const std::string kMaintenance = "35160761024385000111550090000009021161718195";
const std::string kVanishingBody = "35160761024385000111550090000009031161718192";
const std::string kDownloadBroken = "35160761024385000111550090000009051161718197";
const std::string kDownload404 = "35160761024385000111550090000009061161718194";
// The sample certificate's holder has not registered its Ciência for this one.
const std::string kSummaryOnly = "35160361024385000111550010000001091901020309";
// Issued by 12.ABC.345/01DE-35: the key holds letters.
const std::string kAlphanumeric = "35260912ABC34501DE35550010000012341123456788";
const std::string kCaptcha = "ABCDE";

const QString kSefazError =
    "Erro encontrado na Sefaz Nacional. Tente novamente em alguns instantes.";

// A valid access key that the sample portal does not hold.
std::string UnknownKey() {
    const std::string first43 = "3516056102438500011155001000000999114151617";
    return first43 + std::to_string(nfe::KeyCheckDigit(first43).digit);
}

// One sample portal process, started on a free port and stopped with the test program.
class SamplePortal {
public:
    explicit SamplePortal(const QStringList& options) {
        process_.setProgram(QStringLiteral(VELLORA_SAMPLE_PORTAL));
        process_.setArguments(
            QStringList{"--port", "0", "--test-captcha", QString::fromStdString(kCaptcha)} +
            options);
        process_.setProcessChannelMode(QProcess::SeparateChannels);
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start();
        process_.waitForStarted(10000);
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        origin_ = "http://127.0.0.1:" + process_.readLine().trimmed().toStdString();
    }
    ~SamplePortal() {
        process_.kill();
        process_.waitForFinished(5000);
    }

    // Both origins are the sample server's: its not-found page is a redirect on its own origin.
    portal::PortalAddresses Addresses() const {
        auto addresses = portal::PortalAddresses::FromOrigins(origin_, origin_);
        addresses.trustedAuthorities = authorities_;
        return addresses;
    }

    // The download over HTTPS, signed by this authority.
    void TrustAuthority(const fs::path& authority) { authorities_ = {authority}; }

private:
    QProcess process_;
    std::string origin_;
    std::vector<fs::path> authorities_;
};

SamplePortal& Portal(const QString& fault = {}) {
    static std::map<QString, std::unique_ptr<SamplePortal>> portals;
    auto& portal = portals[fault];
    if (!portal) {
        portal = std::make_unique<SamplePortal>(fault.isEmpty() ? QStringList{}
                                                                : QStringList{"--fault", fault});
    }
    return *portal;
}

// The sample portal that serves its download over HTTPS only, to a client with a certificate
// that the test authority signed.
SamplePortal& SecureDownloadPortal() {
    static std::unique_ptr<SamplePortal> portal;
    if (!portal) {
        const auto& files = test_support::SharedTestCertificates().files;
        portal = std::make_unique<SamplePortal>(QStringList{
            "--download-tls", QString::fromStdString(files.authority.parent_path().string())});
        portal->TrustAuthority(files.authority);
    }
    return *portal;
}

class PortalFlowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::EnsureApplication();
        previousDirectory_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(cwd_.path().string()));
    }

    void TearDown() override {
        window_.reset();
        QDir::setCurrent(previousDirectory_);
    }

    TfrmVLPrincipal& Start(const std::string& key, const Options& options = {},
                           SamplePortal& portal = Portal()) {
        WriteOptions(exe_ / "cfg.dclrc", options, certificate_);
        Dependencies dependencies;
        dependencies.executableFolder = exe_.path();
        dependencies.arguments = {"vellora", "x", key, Output().string()};
        dependencies.dialogs = &dialogs_;
        dependencies.addresses = addresses_ = portal.Addresses();
        dependencies.createBrowser = [](QWidget* host) {
            return std::make_unique<portal::WebEngineBrowser>(host);
        };
        dependencies.internetConnected = SystemConnectionState(addresses_);
        dependencies.today = [] { return CalendarDate{2025, 12, 10}; };
        dependencies.converter = convert::ConvertPageText;
        dependencies.bodyWaitLimit = 3s;
        dependencies.quit = [] {};
        dependencies.passwords = &passwords_;
        dependencies.routeService = routeService_;
        clock_.start();
        window_ = std::make_unique<TfrmVLPrincipal>(std::move(dependencies));
        window_->show();
        window_->RunHandler([this] { window_->FormShow(); });
        return *window_;
    }

    fs::path Output() const { return exe_ / "out"; }

    bool CaptchaShown() const {
        return !window_->img1->pixmap().isNull() && !window_->State().WaitShown();
    }

    void WaitForCaptcha(const char* what) {
        ASSERT_TRUE(WaitUntil([this] { return CaptchaShown(); }, 30s))
            << what << " at " << window_->WebBrowser1().LocationUrl() << ", connected "
            << window_->State().Connected() << ", boxes " << dialogs_.boxes.size();
        std::printf("[ time ] %s: start to captcha shown %lld ms\n", what,
                    static_cast<long long>(clock_.elapsed()));
    }

    // The person types the characters and presses Enter; unless told that the captcha box has
    // the keyboard already, the test puts it there first.
    void Type(const std::string& captcha, bool focusFirst = true) {
        window_->activateWindow();
        if (focusFirst) {
            window_->edtCaptcha->setFocus();
        }
        QTest::keyClicks(window_->edtCaptcha, QString::fromStdString(captcha));
        clock_.restart();
        QTest::keyClick(window_->edtCaptcha, Qt::Key_Return);
    }

    bool ImportFailed() const {
        const auto texts = dialogs_.Texts();
        return std::find(texts.begin(), texts.end(), "Erro ao importar a NF-e.") != texts.end();
    }

    void WaitForFile(const fs::path& file, const char* what) {
        WaitUntil([&] { return fs::exists(file) || ImportFailed(); }, 30s);
        ASSERT_TRUE(fs::exists(file)) << what << ": " << window_->State().Memo2.size()
                                      << " page lines, " << dialogs_.boxes.size() << " boxes";
        std::printf("[ time ] %s: Enter to file written %lld ms\n", what,
                    static_cast<long long>(clock_.elapsed()));
    }

    // The print page captured into its page lines, and those converted into the file.
    void WaitForConversion(const fs::path& file, const char* what) {
        WaitForFile(file, what);
        // The sample print pages are whole invoices: a capture of a few lines lost the page.
        EXPECT_GT(window_->State().Memo2.size(), 3u) << what;
    }

    bool Ended(std::chrono::milliseconds wait = 10s) {
        return WaitUntil([this] { return !window_->isVisible(); }, wait);
    }

    // Presses "Download (*)" while the result page is shown, as a person would, instead of
    // letting the window move on to the print page.
    void DownloadOnTheResultPage() {
        auto& browser = window_->WebBrowser1();
        auto forward = browser.onDocumentComplete;
        browser.onDocumentComplete = [this, &browser, forward] {
            if (browser.LocationUrl() == addresses_.resultPage) {
                window_->RunHandler([this] { window_->btnDowClick(); });
            } else {
                forward();
            }
        };
    }

    // The company's certificate in the settings, its password in the keyring, and the sample
    // distribution service in place of the national one.
    void WithCertificate(const test_support::ServedDistribution& service) {
        const auto& certificates = test_support::SharedTestCertificates();
        certificate_ = certificates.files.a1.string();
        passwords_.passwords[*certificate_] = certificates.password;
        routeService_.otherUrl = service.Url();
        routeService_.extraAuthorities = {certificates.files.authority};
        routeService_.dataFolder = data_.path();
    }

    test_support::TemporaryDirectory exe_;
    test_support::TemporaryDirectory cwd_;
    test_support::TemporaryDirectory data_;
    std::optional<std::string> certificate_;
    FakePasswordStore passwords_;
    RouteService routeService_;
    QString previousDirectory_;
    FakeDialogs dialogs_;
    portal::PortalAddresses addresses_;
    std::unique_ptr<TfrmVLPrincipal> window_;
    QElapsedTimer clock_;
};

TEST_F(PortalFlowTest, NormalInvoiceGivesTheXmlFileAndTheProgramEnds) {
    auto& window = Start(kNormal);
    WaitForCaptcha("normal invoice");
    // Started from another working directory: the picture is written there.
    EXPECT_TRUE(fs::exists(cwd_ / "captcha.png"));
    EXPECT_FALSE(fs::exists(exe_ / "captcha.png"));
    EXPECT_EQ(window.edtCaptcha->maxLength(), 6);

    Type(kCaptcha);
    const auto file = Output() / (kNormal + "-nfe.xml");
    WaitForConversion(file, "normal invoice");
    if (HasFatalFailure()) {
        return;
    }
    ASSERT_TRUE(Ended());
    EXPECT_EQ(window.FPath(), file);
    for (const auto& text : dialogs_.Texts()) {
        ADD_FAILURE() << text.toStdString();
    }

    // The command-line conversion of the same page lines gives the same file.
    WriteFile(exe_ / "page.txt", capture::JoinPageLines(window.State().Memo2));
    const auto reference = exe_ / "reference";
    ASSERT_EQ(
        QProcess::execute(VELLORA_CONVERT, {"-o", QString::fromStdString(reference.string()),
                                            QString::fromStdString((exe_ / "page.txt").string())}),
        0);
    EXPECT_EQ(ReadFile(file), ReadFile(reference / (kNormal + "-nfe.xml")));
    EXPECT_NE(ReadFile(file).find(kNormal), std::string::npos);
    // The clean-up of the executable's folder leaves the working directory alone.
    EXPECT_TRUE(fs::exists(cwd_ / "captcha.png"));
}

// Every invoice issued since 2019 shows "Versão 4.00": the file is written whole in 3.10 and
// the program ends as after any conversion, without a box.
TEST_F(PortalFlowTest, InvoiceOfLayout400IsWrittenIn310) {
    auto& window = Start(kLayout400);
    WaitForCaptcha("layout 4.00");
    Type(kCaptcha);
    const auto file = Output() / (kLayout400 + "-nfe.xml");
    WaitForConversion(file, "layout 4.00");
    if (HasFatalFailure()) {
        return;
    }
    ASSERT_TRUE(Ended());
    EXPECT_EQ(window.FPath(), file);
    EXPECT_TRUE(dialogs_.Texts().empty());
    const std::string xml = ReadFile(file);
    EXPECT_NE(xml.find("<infNFe versao=\"3.10\" Id=\"NFe" + kLayout400 + "\""), std::string::npos);
    EXPECT_EQ(xml.find("versao=\"4"), std::string::npos);
}

TEST_F(PortalFlowTest, WrongCaptchaWarnsAndASecondTrySucceeds) {
    Start(kNormal);
    WaitForCaptcha("wrong captcha");
    const qint64 firstPicture = window_->img1->pixmap().cacheKey();
    Type("ZZZZZ");
    ASSERT_TRUE(WaitUntil([this] { return !dialogs_.boxes.empty(); }, 20s));
    ASSERT_EQ(dialogs_.boxes.size(), 1u);
    EXPECT_EQ(dialogs_.boxes[0].text, "Imagem de segurança informada é inválida. Tente novamente.");
    EXPECT_EQ(dialogs_.boxes[0].icon, Icon::Warning);
    EXPECT_TRUE(window_->edtCaptcha->text().isEmpty());
    // The first picture may still be on show while the query restarts: wait for the new one,
    // or the second answer would go to a page that is about to be replaced.
    ASSERT_TRUE(WaitUntil(
        [&] { return window_->img1->pixmap().cacheKey() != firstPicture && CaptchaShown(); }, 30s));
    WaitForCaptcha("second captcha");
    // The box has closed and the new picture is on show: the keyboard is in the captcha box.
    EXPECT_EQ(window_->focusWidget(), window_->edtCaptcha);
    Type(kCaptcha, false);
    WaitForConversion(Output() / (kNormal + "-nfe.xml"), "second try");
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_TRUE(Ended());
    EXPECT_EQ(dialogs_.boxes.size(), 1u);
}

TEST_F(PortalFlowTest, ErrorPagesShowTheirBoxAndRestart) {
    struct Case {
        std::string key;
        QString text;
        Icon icon;
    };
    const Case cases[] = {
        {UnknownKey(),
         "NF-e INEXISTENTE na base nacional, favor consultar esta NF-e no site da SEFAZ de "
         "origem.",
         Icon::Error},
        // Refused with HTTP 500 at the consultation page's own address.
        {kServerError, kSefazError, Icon::Error},
        // A maintenance page at an address the program does not know.
        {kMaintenance, kSefazError, Icon::Error},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        dialogs_.boxes.clear();
        auto& window = Start(c.key);
        WaitForCaptcha("error page");
        Type(kCaptcha);
        ASSERT_TRUE(WaitUntil([this] { return !dialogs_.boxes.empty(); }, 20s));
        EXPECT_EQ(dialogs_.boxes[0].text, c.text);
        EXPECT_EQ(dialogs_.boxes[0].icon, c.icon);
        // The restart brings a new captcha; the window stays.
        WaitForCaptcha("after the error page");
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(dialogs_.boxes.size(), 1u);
        EXPECT_TRUE(window.btnPegarHTML->isEnabled());
        EXPECT_FALSE(fs::exists(exe_ / "captcha.png"));
    }
}

TEST_F(PortalFlowTest, CancelledInvoiceAlertIsConfirmedWithoutAPerson) {
    auto& window = Start(kCancelled);
    WaitForCaptcha("cancelled invoice");
    Type(kCaptcha);
    WaitForConversion(Output() / (kCancelled + "-nfe.xml"), "cancelled invoice");
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_TRUE(Ended());
    EXPECT_EQ(window.Messages().UltimaMensagem, "NF-E CANCELADA PELO EMITENTE.");
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(PortalFlowTest, CertificateDownload) {
    for (const int fcon : {0, 1}) {
        SCOPED_TRACE(fcon);
        dialogs_.boxes.clear();
        Options options;
        options.fcon = fcon;
        auto& window = Start(kNormal, options);
        DownloadOnTheResultPage();
        WaitForCaptcha("download");
        Type(kCaptcha);
        const auto file = Output() / (kNormal + "-orig.xml");
        WaitForFile(file, "download");
        EXPECT_NE(ReadFile(file).find("<NFe"), std::string::npos);
        // The file is written in the handler that would close the window: a window still open
        // a second later stays open.
        EXPECT_EQ(Ended(fcon == 0 ? 10s : 1s), fcon == 0);
        if (fcon == 1) {
            EXPECT_TRUE(window.btnPegarHTML->isEnabled());
            EXPECT_FALSE(window.State().WaitShown());
        }
        EXPECT_EQ(window.Messages().UltimaMensagem, "CLIQUE EM OK PARA INICIAR O DOWNLOAD");
        EXPECT_TRUE(dialogs_.boxes.empty());
        fs::remove(file);
    }
}

TEST_F(PortalFlowTest, FailedDownloadLeavesNoFileAndTheProgramStays) {
    struct Case {
        std::string key;
        QString reason;
    };
    // The sample portal sends the 404 key's file to the browser's own request and refuses
    // the program's, which must bring the session's cookies to get anything at all.
    const Case cases[] = {
        {kDownload404, "O servidor respondeu com o código HTTP 404."},
        {kDownloadBroken, "Connection closed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        dialogs_.boxes.clear();
        const auto file = Output() / (c.key + "-orig.xml");
        fs::create_directories(Output());
        WriteFile(file, "older file");
        auto& window = Start(c.key);
        DownloadOnTheResultPage();
        WaitForCaptcha("failed download");
        Type(kCaptcha);
        ASSERT_TRUE(WaitUntil([this] { return !dialogs_.boxes.empty(); }, 20s));
        EXPECT_EQ(dialogs_.boxes[0].icon, Icon::Error);
        EXPECT_EQ(dialogs_.boxes[0].text, "O download do arquivo não foi concluído. " + c.reason);
        EXPECT_EQ(ReadFile(file), "older file");
        // No temporary file stays behind either.
        EXPECT_EQ(std::distance(fs::directory_iterator(Output()), fs::directory_iterator()), 1);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.State().WaitShown());
        fs::remove(file);
    }
}

TEST_F(PortalFlowTest, ConsultationPageWithoutOrWithABadCaptcha) {
    Start(kNormal, {}, Portal("no-captcha"));
    ASSERT_TRUE(WaitUntil([this] { return !dialogs_.boxes.empty(); }, 30s));
    EXPECT_EQ(dialogs_.boxes[0].text,
              "O portal da NFe nacional está com problemas de acesso. Tente novamente em alguns "
              "minutos.");
    EXPECT_FALSE(window_->State().WaitShown());

    dialogs_.boxes.clear();
    auto& window = Start(kNormal, {}, Portal("captcha-not-png"));
    ASSERT_TRUE(WaitUntil([this] { return !dialogs_.boxes.empty(); }, 30s));
    EXPECT_EQ(dialogs_.boxes[0].icon, Icon::Error);
    EXPECT_EQ(dialogs_.boxes[0].text, "A imagem de segurança não é uma imagem PNG válida.");
    // Still usable: the overlay is gone and a new captcha can be asked for.
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.State().WaitShown());
    // No image to type: nothing to confirm until the link brings one.
    EXPECT_FALSE(window.btnPegarHTML->isEnabled());
}

TEST_F(PortalFlowTest, PrintPageWithoutBodyEndsInTheTimeLimitMessage) {
    auto& window = Start(kVanishingBody);
    WaitForCaptcha("print page without body");
    Type(kCaptcha);
    ASSERT_TRUE(WaitUntil([this] { return !dialogs_.boxes.empty(); }, 30s));
    EXPECT_EQ(dialogs_.Texts(),
              std::vector<QString>{"A página do portal não respondeu. Tente novamente."});
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.State().WaitShown());
}

// After Enter the keyboard stays in the program's window, never in the browser: Escape during a
// slow result page closes the program at once, and the page that comes later writes nothing.
TEST_F(PortalFlowTest, EscapeDuringASlowResultPageClosesAndNothingIsWritten) {
    auto& window = Start(kNormal, {}, Portal("slow"));
    WaitForCaptcha("slow pages");
    Type(kCaptcha);
    ASSERT_TRUE(window.State().WaitShown());
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->window(), &window);
    EXPECT_TRUE(focus == window.edtCaptcha || window.isAncestorOf(focus));
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_TRUE(Ended(2s));
    const auto file = Output() / (kNormal + "-nfe.xml");
    // The slow page takes five seconds; it is given more, and still no file comes.
    EXPECT_FALSE(WaitUntil([&] { return fs::exists(file); }, 8s));
}

// Closing while a slow distribution service is asked abandons the request at once.
TEST_F(PortalFlowTest, ClosingDuringASlowOfficialRouteWritesNothing) {
    test_support::ServedDistribution service(
        {.fault = sample::DistributionFault::slow, .slowDelay = std::chrono::seconds(30)});
    WithCertificate(service);
    auto& window = Start(kNormal);
    ASSERT_TRUE(WaitUntil([&] { return window.RouteRunning(); }, 10s));
    window.close();
    EXPECT_TRUE(WaitUntil([&] { return !window.RouteRunning(); }, 2s));
    EXPECT_FALSE(fs::exists(Output() / (kNormal + "-nfe.xml")));
}

TEST_F(PortalFlowTest, WithACertificateTheOfficialDocumentComesWithoutACaptcha) {
    test_support::ServedDistribution service;
    WithCertificate(service);
    auto& window = Start(kNormal);
    ASSERT_TRUE(Ended(30s)) << window.RouteNote().toStdString();
    std::printf("[ time ] official route: start to file written %lld ms\n",
                static_cast<long long>(clock_.elapsed()));
    const auto file = Output() / (kNormal + "-nfe.xml");
    EXPECT_EQ(window.FPath(), file);
    const std::string xml = ReadFile(file);
    // The signed invoice as the service keeps it, not a conversion of the print page.
    EXPECT_NE(xml.find("<nfeProc"), std::string::npos);
    EXPECT_NE(xml.find("<protNFe"), std::string::npos);
    EXPECT_FALSE(fs::exists(cwd_ / "captcha.png"));
    EXPECT_TRUE(window.RouteNote().isEmpty());
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(PortalFlowTest, WithACertificateAKeyTheServiceCannotDeliverGoesToTheCaptcha) {
    test_support::ServedDistribution service;
    WithCertificate(service);

    // A key the service does not hold: the captcha, and the reason in the window.
    auto& unknown = Start(UnknownKey());
    WaitForCaptcha("key the service does not hold");
    EXPECT_TRUE(unknown.RouteNote().contains("217")) << unknown.RouteNote().toStdString();
    EXPECT_TRUE(dialogs_.boxes.empty());

    // Only the summary: the portal's page gives the converted file.
    auto& summary = Start(kSummaryOnly);
    WaitForCaptcha("summary only");
    EXPECT_TRUE(summary.RouteNote().contains("resumo")) << summary.RouteNote().toStdString();
    Type(kCaptcha);
    WaitForConversion(Output() / (kSummaryOnly + "-nfe.xml"), "summary only, then the portal");
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_TRUE(Ended());
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(PortalFlowTest, WithACertificateTheCienciaAcceptedTurnsTheSummaryIntoTheSignedInvoice) {
    test_support::ServedDistribution service;
    WithCertificate(service);
    dialogs_.askAnswers = {true};
    auto& window = Start(kSummaryOnly);
    ASSERT_TRUE(Ended(30s)) << window.RouteNote().toStdString();
    ASSERT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_EQ(dialogs_.questions[0].buttons, "Registrar e baixar|Agora não");
    const std::string xml = ReadFile(Output() / (kSummaryOnly + "-nfe.xml"));
    EXPECT_NE(xml.find("<nfeProc"), std::string::npos);
    EXPECT_TRUE(fs::exists(Output() / (kSummaryOnly + "-210210-01-procEventoNFe.xml")));
    // Straight from the service: the portal was never asked.
    EXPECT_FALSE(fs::exists(cwd_ / "captcha.png"));
}

// The same with the company's A3 on a token: the PIN is asked once for both requests.
TEST_F(PortalFlowTest, WithAnA3TheCienciaAcceptedTurnsTheSummaryIntoTheSignedInvoice) {
    test_support::ServedDistribution service;
    WithCertificate(service);
    const auto& token = test_support::SharedTestToken();
    certificate_ = token.uri;
    routeService_.pkcs11Module = token.module;
    dialogs_.passwords = {QString::fromStdString(token.pin)};
    dialogs_.askAnswers = {true};
    auto& window = Start(kSummaryOnly);
    ASSERT_TRUE(Ended(30s)) << window.RouteNote().toStdString();
    EXPECT_EQ(dialogs_.inputs, std::vector<QString>{"TARVENIX|NFe|PIN do token EMPRESA:"});
    EXPECT_EQ(dialogs_.questions.size(), 1u);
    EXPECT_NE(ReadFile(Output() / (kSummaryOnly + "-nfe.xml")).find("<nfeProc"), std::string::npos);
    EXPECT_TRUE(fs::exists(Output() / (kSummaryOnly + "-210210-01-procEventoNFe.xml")));
}

// With the certificate and "Com Cert." on, the result page leads to the portal's own file first,
// fetched with the certificate, then to the print page; the program ends after the conversion
// even where "Fechar ao Concluir" says to stay after a download.
TEST_F(PortalFlowTest, WithACertificateThePortalsFileComesBeforeTheConversion) {
    test_support::ServedDistribution service;
    WithCertificate(service);
    Options options;
    options.fcon = 1;
    auto& window = Start(kSummaryOnly, options, SecureDownloadPortal());
    WaitForCaptcha("certificate download");
    Type(kCaptcha);
    const auto original = Output() / (kSummaryOnly + "-orig.xml");
    const auto converted = Output() / (kSummaryOnly + "-nfe.xml");
    WaitForConversion(converted, "certificate download, then the conversion");
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_TRUE(Ended());
    ASSERT_TRUE(fs::exists(original));
    EXPECT_NE(ReadFile(original).find("<NFe"), std::string::npos);
    EXPECT_EQ(window.Messages().UltimaMensagem, "CLIQUE EM OK PARA INICIAR O DOWNLOAD");
    EXPECT_TRUE(dialogs_.boxes.empty());
}

TEST_F(PortalFlowTest, WithoutACertificateTheSecureDownloadIsRefused) {
    auto& window = Start(kNormal, {}, SecureDownloadPortal());
    DownloadOnTheResultPage();
    WaitForCaptcha("download without a certificate");
    Type(kCaptcha);
    ASSERT_TRUE(WaitUntil([this] { return !dialogs_.boxes.empty(); }, 20s));
    // The portal's refusal is a page the program does not know.
    EXPECT_EQ(dialogs_.boxes[0].text, kSefazError);
    WaitForCaptcha("after the refusal");
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(fs::exists(Output() / (kNormal + "-orig.xml")));
}

// A company whose CNPJ holds letters: the key, typed in lower case on the calling program's
// command line, reaches the portal in capitals, and the file keeps the letters.
TEST_F(PortalFlowTest, AKeyWithLettersGoesThroughThePortalAndTheService) {
    std::string lowerCase = kAlphanumeric;
    std::transform(lowerCase.begin(), lowerCase.end(), lowerCase.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    Start(lowerCase);
    WaitForCaptcha("key with letters");
    Type(kCaptcha);
    const auto file = Output() / (kAlphanumeric + "-nfe.xml");
    WaitForConversion(file, "key with letters");
    if (HasFatalFailure()) {
        return;
    }
    EXPECT_TRUE(Ended());
    EXPECT_NE(ReadFile(file).find("<CNPJ>12ABC34501DE35</CNPJ>"), std::string::npos);

    // With the certificate, once the recipient's Ciência is registered, the service gives it.
    fs::remove(file);
    test_support::ServedDistribution service;
    service.service().RegisterCiencia(kAlphanumeric);
    WithCertificate(service);
    auto& window = Start(kAlphanumeric);
    ASSERT_TRUE(Ended(30s)) << window.RouteNote().toStdString();
    const std::string xml = ReadFile(file);
    EXPECT_NE(xml.find("<nfeProc"), std::string::npos);
    EXPECT_NE(xml.find("<chNFe>" + kAlphanumeric + "</chNFe>"), std::string::npos);
}

}  // namespace
}  // namespace app
