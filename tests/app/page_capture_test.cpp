#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/main_window.h"
#include "app/settings.h"
#include "portal/webengine_browser.h"
#include "tests/support-qt/fakes.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using test_support::WaitUntil;
using test_support::WriteFile;

// The capture on a real page in the embedded browser: the print page is recognised by its
// address, its body becomes the page lines and the conversion gets them once.
class PageCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::EnsureApplication();
        WriteOptions(dir_ / "cfg.dclrc", Options{});
        WriteFile(dir_ / "captcha.png", "png");
        fs::create_directory(dir_ / "site");
    }

    // The window, with the print page at a local file. There is no connection, so start-up
    // loads nothing by itself.
    void Open(const std::string& printPage = "print.html") {
        printPage_ = printPage;
        auto addresses =
            portal::PortalAddresses::FromOrigins("http://127.0.0.1:1", "https://127.0.0.1:1");
        addresses.printPage = "file://" + (dir_ / "site" / printPage).string();

        Dependencies dependencies;
        dependencies.executableFolder = dir_.path();
        dependencies.arguments = {"vellora", "x", "35191200000000000000550010000000011000000010",
                                  (dir_ / "out").string()};
        dependencies.dialogs = &dialogs_;
        dependencies.addresses = addresses;
        dependencies.createBrowser = [](QWidget* host) {
            return std::make_unique<portal::WebEngineBrowser>(host);
        };
        dependencies.internetConnected = [] { return false; };
        dependencies.today = [] { return CalendarDate{}; };
        dependencies.converter = [this](std::string_view text,
                                        const convert::ConversionSettings& settings) {
            texts_.emplace_back(text);
            folders_.push_back(settings.outputFolder);
            return converter_(settings);
        };
        dependencies.writeDanfe = [this](const fs::path& file) { danfes_.push_back(file); };
        dependencies.bodyWaitLimit = std::chrono::milliseconds(500);
        dependencies.quit = [] {};
        window_ = std::make_unique<TfrmVLPrincipal>(std::move(dependencies));
        window_->show();
        window_->FormShow();
    }

    void TearDown() override { window_.reset(); }

    // Loads the page under the print page's address; the window takes it from there.
    void LoadPrintPage(const std::string& html) {
        WriteFile(dir_ / "site" / printPage_, html);
        window_->WebBrowser1().Navigate("file://" + (dir_ / "site" / printPage_).string());
    }

    test_support::TemporaryDirectory dir_;
    std::string printPage_;
    FakeDialogs dialogs_;
    std::unique_ptr<TfrmVLPrincipal> window_;
    std::vector<std::string> texts_;
    std::vector<std::string> folders_;
    std::vector<fs::path> danfes_;  // the files whose DANFE was asked for
    std::function<fs::path(const convert::ConversionSettings&)> converter_ =
        [](const convert::ConversionSettings& settings) {
            return fs::path(settings.outputFolder) / "KEY-nfe.xml";
        };
};

TEST_F(PageCaptureTest, PrintPageBecomesPageLinesAndOneConversion) {
    // A second load event while the capture runs must not start a second capture.
    converter_ = [this](const convert::ConversionSettings& settings) {
        window_->WebBrowser1DocumentComplete();
        return fs::path(settings.outputFolder) / "KEY-nfe.xml";
    };
    Open();
    LoadPrintPage(
        "<html><head><title>NF-e</title></head><body>"
        "<script>function f() { return document.title; }</script>"
        "<table><tr><td>Raz\xC3\xA3o&nbsp;<br>Vellora &amp; Cia</td></tr></table>"
        "<div>   </div><div>Valor Total</div><div>documento</div><div>Documento</div>"
        "<div>1.234,56</div></body></html>");
    ASSERT_TRUE(WaitUntil([&] { return !window_->isVisible(); }));

    ASSERT_EQ(texts_.size(), 1u);
    const auto& lines = window_->State().Memo2;
    const std::vector<std::string> expected = {"Raz\xE3o", "Vellora &amp; Cia", "Valor Total",
                                               "Documento", "1.234,56"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(texts_[0], "Raz\xE3o\r\nVellora &amp; Cia\r\nValor Total\r\nDocumento\r\n1.234,56");
    EXPECT_EQ(folders_[0], (dir_ / "out").string());
    EXPECT_EQ(window_->FPath(), dir_ / "out" / "KEY-nfe.xml");
    // "Imprimir Danfe" is on by default.
    EXPECT_EQ(danfes_, std::vector<fs::path>{dir_ / "out" / "KEY-nfe.xml"});
    EXPECT_TRUE(dialogs_.boxes.empty());
    EXPECT_FALSE(fs::exists(dir_ / "captcha.png"));
    EXPECT_TRUE(window_->State().btnGerarXML);
}

TEST_F(PageCaptureTest, BrowserLiesOutsideTheVisibleWindowAndStillDrawsItsPages) {
    Open();
    auto* view = static_cast<portal::WebEngineBrowser&>(window_->WebBrowser1()).View();
    // A size of its own, so that pages lay out as on a screen, and a place beyond the window's
    // edge, so that it covers nothing the person sees or clicks.
    EXPECT_FALSE(view->geometry().isEmpty());
    EXPECT_FALSE(window_->rect().intersects(view->geometry()))
        << view->x() << "," << view->y() << " " << view->width() << "x" << view->height();
    // Shown, not hidden: a page keeps running its scripts and drawing its frames.
    EXPECT_TRUE(view->isVisible());
    WriteFile(dir_ / "site" / "drawn.html",
              "<html><body><script>requestAnimationFrame(function () { document.title = "
              "'drawn'; });</script>x</body></html>");
    window_->WebBrowser1().Navigate("file://" + (dir_ / "site" / "drawn.html").string());
    EXPECT_TRUE(WaitUntil([&] { return view->page()->title() == "drawn"; }));
}

TEST_F(PageCaptureTest, FailedConversionIsReportedAndTheProgramStillEnds) {
    converter_ = [](const convert::ConversionSettings& settings) -> fs::path {
        settings.showMessage("Layout 1.10");
        throw convert::OldLayoutAborted("1.10");
    };
    Open();
    LoadPrintPage("<html><body><p>x</p></body></html>");
    ASSERT_TRUE(WaitUntil([&] { return !window_->isVisible(); }));
    EXPECT_EQ(dialogs_.Texts(), (std::vector<QString>{"Layout 1.10", "Erro ao importar a NF-e."}));
    EXPECT_TRUE(window_->FPath().empty());
    EXPECT_TRUE(danfes_.empty());
    EXPECT_FALSE(window_->State().WaitShown());
}

TEST_F(PageCaptureTest, PageWithoutBodyEndsWithAMessageNotAHang) {
    Open("print.xhtml");  // an XHTML document can lack a body element
    window_->State().ShowWait();
    LoadPrintPage(
        "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>t</title></head></html>");
    ASSERT_TRUE(WaitUntil([&] { return !dialogs_.boxes.empty(); }, std::chrono::seconds(10)));
    EXPECT_EQ(dialogs_.Texts(),
              std::vector<QString>{"A página do portal não respondeu. Tente novamente."});
    EXPECT_TRUE(texts_.empty());
    EXPECT_TRUE(window_->isVisible());
    EXPECT_FALSE(window_->State().WaitShown());
}

}  // namespace
}  // namespace app
