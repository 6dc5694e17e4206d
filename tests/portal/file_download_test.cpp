#include "portal/file_download.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace portal {
namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::WriteFile;

// Answers every request with one fixed raw response, then closes the connection.
class CannedServer {
public:
    explicit CannedServer(QByteArray response) : response_(std::move(response)) {
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            auto* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request_ += socket->readAll();
                if (request_.contains("\r\n\r\n")) {
                    socket->write(response_);
                    socket->disconnectFromHost();
                }
            });
        });
        server_.listen(QHostAddress::LocalHost);
    }

    std::string Address() const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/download?x=1";
    }
    const QByteArray& Request() const { return request_; }

private:
    QTcpServer server_;
    QByteArray response_;
    QByteArray request_;
};

// Sends the head and the first part of a body that it announces longer, then keeps the
// connection open; once the part is out, the application is told to quit, as when the last
// window closes in the middle of a download.
class QuitMidwayServer {
public:
    QuitMidwayServer() {
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            auto* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                socket->readAll();
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n<nfe>half");
                QObject::connect(socket, &QTcpSocket::bytesWritten, socket,
                                 [] { QCoreApplication::exit(); });
            });
        });
        server_.listen(QHostAddress::LocalHost);
    }

    std::string Address() const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/download";
    }

private:
    QTcpServer server_;
};

class FileDownloadTest : public ::testing::Test {
protected:
    void SetUp() override { test_support::EnsureApplication(); }

    DownloadRequest Request(const CannedServer& server) {
        return {server.Address(), dir_ / "KEY-orig.xml", "vellora", "ASP.NET_SessionId=abc",
                std::chrono::seconds(10)};
    }

    test_support::TemporaryDirectory dir_;
};

TEST_F(FileDownloadTest, BodyWrittenWithTheAgentNameAndTheCookies) {
    CannedServer server(
        "HTTP/1.1 200 OK\r\nContent-Type: application/xml\r\nContent-Length: 12\r\n\r\n"
        "<nfe>x</nfe>");
    WriteFile(dir_ / "KEY-orig.xml", "older file, longer than the new one");
    BaixarArquivo(Request(server));
    EXPECT_EQ(ReadFile(dir_ / "KEY-orig.xml"), "<nfe>x</nfe>");
    EXPECT_TRUE(server.Request().contains("\r\nUser-Agent: vellora\r\n"));
    EXPECT_TRUE(server.Request().contains("\r\nCookie: ASP.NET_SessionId=abc\r\n"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
}

TEST_F(FileDownloadTest, ARedirectToAnotherHostIsNotFollowedAndGetsNoCookies) {
    CannedServer elsewhere("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n<a/>\n");
    const std::string other =
        "http://localhost:" + elsewhere.Address().substr(elsewhere.Address().rfind(':') + 1);
    CannedServer server("HTTP/1.1 302 Found\r\nLocation: " + QByteArray::fromStdString(other) +
                        "\r\nContent-Length: 0\r\n\r\n");
    try {
        BaixarArquivo(Request(server));
        ADD_FAILURE() << "the redirect was followed";
    } catch (const DownloadError& error) {
        EXPECT_NE(std::string(error.what()).find("redirecionou para outro endereço (localhost)"),
                  std::string::npos)
            << error.what();
    }
    EXPECT_TRUE(elsewhere.Request().isEmpty());
    EXPECT_FALSE(fs::exists(dir_ / "KEY-orig.xml"));
}

TEST_F(FileDownloadTest, EmptyBodyGivesAnEmptyFile) {
    CannedServer server("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
    BaixarArquivo(Request(server));
    ASSERT_TRUE(fs::exists(dir_ / "KEY-orig.xml"));
    EXPECT_EQ(fs::file_size(dir_ / "KEY-orig.xml"), 0u);
}

TEST_F(FileDownloadTest, FailedTransferLeavesNoFileAndAnOlderOneAsItWas) {
    struct Case {
        const char* name;
        QByteArray response;
        std::string reason;
    };
    const Case cases[] = {
        {"not found", "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
         "código HTTP 404"},
        {"server error", "HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n",
         "código HTTP 500"},
        {"broken off", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n<nfe>half", ""},
        {"no answer", "", ""},
    };
    for (const bool olderFile : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            fs::remove(dir_ / "KEY-orig.xml");
            if (olderFile) {
                WriteFile(dir_ / "KEY-orig.xml", "older");
            }
            CannedServer server(c.response);
            try {
                BaixarArquivo(Request(server));
                ADD_FAILURE() << "no error";
            } catch (const DownloadError& error) {
                EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos)
                    << error.what();
            }
            EXPECT_EQ(fs::exists(dir_ / "KEY-orig.xml"), olderFile);
            if (olderFile) {
                EXPECT_EQ(ReadFile(dir_ / "KEY-orig.xml"), "older");
            }
            EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()),
                      olderFile ? 1 : 0);
        }
    }
}

TEST_F(FileDownloadTest, TransferCutShortByTheProgramClosingIsNoFile) {
    WriteFile(dir_ / "KEY-orig.xml", "older");
    {
        QuitMidwayServer server;
        try {
            BaixarArquivo(
                {server.Address(), dir_ / "KEY-orig.xml", "vellora", "", std::chrono::seconds(10)});
            ADD_FAILURE() << "no error";
        } catch (const DownloadError& error) {
            EXPECT_STREQ(error.what(),
                         "O download do arquivo não foi concluído. A transferência foi "
                         "interrompida.");
        }
    }
    EXPECT_EQ(ReadFile(dir_ / "KEY-orig.xml"), "older");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator()), 1);
    // The quit request ends every event loop until the application's own loop has run once.
    QTimer::singleShot(0, [] { QCoreApplication::exit(); });
    QCoreApplication::exec();
}

TEST_F(FileDownloadTest, RefusedConnectionIsAnError) {
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const auto port = closed.serverPort();
    closed.close();
    EXPECT_THROW(BaixarArquivo({"http://127.0.0.1:" + std::to_string(port) + "/x",
                                dir_ / "KEY-orig.xml", "vellora", "", std::chrono::seconds(5)}),
                 DownloadError);
    EXPECT_FALSE(fs::exists(dir_ / "KEY-orig.xml"));
}

}  // namespace
}  // namespace portal
