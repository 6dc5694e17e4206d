#include "portal/webengine_browser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

#include "portal/body_wait.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace portal {
namespace {

using test_support::WaitUntil;

class WebEngineBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::EnsureApplication();
        host_ = std::make_unique<QWidget>();
        browser_ = std::make_unique<WebEngineBrowser>(host_.get(), std::chrono::seconds(5));
        browser_->onDocumentComplete = [this] { ++loads_; };
        browser_->onShowMessage = [this](const std::string& text) { messages_.push_back(text); };
    }

    void TearDown() override {
        browser_.reset();
        host_.reset();
    }

    // Loads a page from a file and waits for its document-complete event.
    void Load(const std::string& name, const std::string& html) {
        test_support::WriteFile(dir_ / name, html);
        const int before = loads_;
        browser_->Navigate("file://" + (dir_ / name).string());
        ASSERT_TRUE(WaitUntil([&] { return loads_ > before; }));
    }

    std::string Title() { return browser_->View()->page()->title().toStdString(); }

    test_support::TemporaryDirectory dir_;
    std::unique_ptr<QWidget> host_;
    std::unique_ptr<WebEngineBrowser> browser_;
    int loads_ = 0;
    std::vector<std::string> messages_;
};

TEST_F(WebEngineBrowserTest, LocationUrlIsTheTextThePageHolds) {
    // A server redirect keeps "%3d" as sent; the page itself can do the same.
    Load("consulta.html",
         "<html><body><script>history.replaceState(null, '', location.pathname + "
         "'?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8%3d')</script></body></html>");
    EXPECT_EQ(browser_->LocationUrl(), "file://" + (dir_ / "consulta.html").string() +
                                           "?tipoConsulta=completa&tipoConteudo=XbSeqxE8pl8%3d");
}

TEST_F(WebEngineBrowserTest, BodyMarkup) {
    Load("page.html", "<html><body><table><tr><td>Razão&nbsp;</td></tr></table></body></html>");
    const auto body = browser_->BodyInnerHtml();
    ASSERT_TRUE(body.has_value());
    // Capital tags and a line break before each block element, as the page lines expect.
    EXPECT_EQ(*body, "<TABLE>\r\n<TBODY>\r\n<TR>\r\n<TD>Razão&nbsp;</TD></TR></TBODY></TABLE>");
}

TEST_F(WebEngineBrowserTest, HostileFormValuesStayData) {
    Load("form.html",
         "<html><body><form onsubmit='return false'>"
         "<input name='ctl00$ContentPlaceHolder1$txtCaptcha'>"
         "<input id='copy' type='button' onclick=\"document.title = "
         "document.getElementsByName('ctl00$ContentPlaceHolder1$txtCaptcha')[0].value\">"
         "<input type='button' name='popup' onclick=\"document.title = "
         "String(window.open('about:blank') === null)\">"
         "</form></body></html>");
    const std::string hostile =
        "a\"b'c\\d</script><b>\"); alert('pwned'); (\"'); alert(\"pwned\"); ('`${alert(1)}`";
    browser_->SetElementValue("ctl00$ContentPlaceHolder1$txtCaptcha", hostile);
    browser_->ClickElement("copy");  // found by id
    EXPECT_TRUE(WaitUntil([&] { return Title() == hostile; })) << Title();
    EXPECT_TRUE(messages_.empty());

    browser_->ClickElement("popup");  // no new windows
    EXPECT_TRUE(WaitUntil([&] { return Title() == "true"; })) << Title();

    EXPECT_THROW(browser_->SetElementValue("ctl00$ContentPlaceHolder1$txtChave", "1"),
                 BrowserError);
    EXPECT_THROW(browser_->ClickElement("ctl00$ContentPlaceHolder1$btnConsultar"), BrowserError);
}

TEST_F(WebEngineBrowserTest, ScriptMessagesReachTheHostThenShowTheBrowsersBox) {
    Load("alert.html",
         "<html><body><input type='button' id='go' onclick=\"alert('Clique em OK para iniciar o "
         "download'); document.title = confirm('NF-e Cancelada') ? 'ok' : 'cancel'\">"
         "</body></html>");
    // A modal dialog of the program's own is open all the while; the page's boxes come over it.
    QDialog own(host_.get());
    own.setModal(true);
    own.show();
    EXPECT_FALSE(browser_->ConfirmMessage());
    int confirmed = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (browser_->ConfirmMessage()) {
            ++confirmed;
        }
    });
    answer.start(50);
    browser_->ClickElement("go");
    EXPECT_TRUE(WaitUntil([&] { return Title() == "ok"; })) << Title();
    EXPECT_EQ(confirmed, 2);
    EXPECT_EQ(messages_,
              (std::vector<std::string>{"Clique em OK para iniciar o download", "NF-e Cancelada"}));
    EXPECT_TRUE(own.isVisible());
    EXPECT_FALSE(browser_->ConfirmMessage());
}

TEST_F(WebEngineBrowserTest, DownloadsGoToTheHost) {
    Load("download.html",
         "<html><body><a id='d' href='data:text/xml,%3Cnfe/%3E' download='x.xml'>x</a>"
         "</body></html>");
    std::vector<std::string> addresses;
    browser_->onFileDownload = [&](const std::string& address) {
        addresses.push_back(address);
        return true;
    };
    browser_->ClickElement("d");
    ASSERT_TRUE(WaitUntil([&] { return !addresses.empty(); }));
    EXPECT_EQ(addresses.front(), "data:text/xml,%3Cnfe/%3E");
}

// A loopback HTTP server that gives every visitor a session cookie, remembers the cookies
// each request came with and answers every page with `status`.
class SessionServer {
public:
    SessionServer() {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            auto* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, [this, socket] {
                request_ += socket->readAll();
                if (!request_.contains("\r\n\r\n")) {
                    return;
                }
                // The browser's own requests (the site icon) are not pages of the portal and
                // get no session: they may arrive after the page has loaded.
                QByteArray session;
                if (request_.startsWith("GET /portal/")) {
                    const auto at = request_.indexOf("Cookie: ");
                    const auto end = request_.indexOf("\r\n", at);
                    cookies.push_back(at < 0 ? std::string()
                                             : request_.mid(at + 8, end - at - 8).toStdString());
                    session = "Set-Cookie: sessao=" +
                              QByteArray::number(static_cast<int>(cookies.size())) + "; Path=/\r\n";
                }
                request_.clear();
                const QByteArray body = "<html><body>page</body></html>";
                socket->write("HTTP/1.1 " + QByteArray::number(status) +
                              " Status\r\nContent-Type: text/html\r\n" + session +
                              "Connection: close\r\nContent-Length: " +
                              QByteArray::number(body.size()) + "\r\n\r\n" + body);
                socket->disconnectFromHost();
            });
        });
    }

    std::string Address() const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/portal/consulta.aspx";
    }

    std::vector<std::string> cookies;
    int status = 200;

private:
    QTcpServer server_;
    QByteArray request_;
};

TEST_F(WebEngineBrowserTest, ClearCacheStartsAFreshSessionAndTheNextPageStillLoads) {
    SessionServer portal;
    auto load = [&] {
        const int before = loads_;
        browser_->Navigate(portal.Address());
        return WaitUntil([&] { return loads_ > before; }, std::chrono::seconds(10));
    };
    // As at start-up: clearing comes right before the very first page.
    browser_->ClearCache();
    ASSERT_TRUE(load());
    ASSERT_TRUE(load());
    browser_->ClearCache();
    ASSERT_TRUE(load());
    // Every load reached the server; only the one after the clearing came without a session.
    EXPECT_EQ(portal.cookies, (std::vector<std::string>{"", "sessao=1", ""}));
}

TEST_F(WebEngineBrowserTest, HttpErrorStatusOfThePageOnShow) {
    SessionServer portal;
    for (const int status : {200, 500, 404, 200}) {
        SCOPED_TRACE(status);
        portal.status = status;
        const int before = loads_;
        browser_->Navigate(portal.Address());
        ASSERT_TRUE(WaitUntil([&] { return loads_ > before; }, std::chrono::seconds(10)));
        EXPECT_EQ(browser_->HttpErrorStatus(),
                  status == 200 ? std::nullopt : std::optional(status));
        // The server's error text is on show under the address that was asked for.
        EXPECT_EQ(browser_->LocationUrl(), portal.Address());
        EXPECT_EQ(browser_->BodyInnerHtml(), "page");
    }
}

TEST_F(WebEngineBrowserTest, WaitForBodyGivesUpAfterTheLimit) {
    Load("nobody.xhtml",
         "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>t</title></head></html>");
    EXPECT_FALSE(browser_->BodyInnerHtml().has_value());
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_FALSE(WaitForBody(*browser_, std::chrono::milliseconds(300)).has_value());
    EXPECT_GE(elapsed.elapsed(), 300);
    EXPECT_LT(elapsed.elapsed(), 5000);

    Load("body.html", "<html><body>x</body></html>");
    EXPECT_TRUE(WaitForBody(*browser_, std::chrono::milliseconds(300)).has_value());
}

}  // namespace
}  // namespace portal
