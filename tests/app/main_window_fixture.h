#pragma once

// The main window on a fake browser, fake dialogs and a connection state the test sets.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTcpServer>
#include <atomic>
#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/settings.h"
#include "tests/support-qt/fakes.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/temporary_directory.h"

namespace app {

inline const std::string kKey = "35191200000000000000550010000000011000000010";

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::EnsureApplication();
        WriteSettings(Options{});
        // The portal's host listens, so that a test can see that no one knocks on it.
        ASSERT_TRUE(portal_.listen(QHostAddress::LocalHost));
        const auto origin = "http://127.0.0.1:" + std::to_string(portal_.serverPort());
        addresses_ = portal::PortalAddresses::FromOrigins(origin, "https://127.0.0.1:1");
    }

    void WriteSettings(const Options& options) { WriteOptions(dir_ / "cfg.dclrc", options); }

    // What the system says of the connection, asked at start-up and at every tick of tmr1.
    void Connected(bool connected) { connected_ = connected; }

    TfrmVLPrincipal& Start(std::vector<std::string> arguments) {
        Dependencies dependencies;
        dependencies.executableFolder = dir_.path();
        dependencies.arguments = std::move(arguments);
        dependencies.dialogs = &dialogs_;
        dependencies.addresses = addresses_;
        dependencies.createBrowser = [this](QWidget* host) {
            auto browser = std::make_unique<FakeBrowser>();
            browser_ = browser.get();
            // Like the real browser's view: a child of the window that can take the focus.
            browserView_ = new QWidget(host);
            browserView_->setFocusPolicy(Qt::StrongFocus);
            browserView_->setGeometry(20000, 0, 10, 10);
            return browser;
        };
        dependencies.internetConnected = [this] { return connected_; };
        dependencies.today = [] { return CalendarDate{2025, 12, 10}; };
        dependencies.converter = [](std::string_view, const convert::ConversionSettings&) {
            return std::filesystem::path();
        };
        // A body that is not there gives up at once, with no time spent waiting.
        dependencies.bodyWaitLimit = std::chrono::milliseconds(0);
        dependencies.downloadWaitLimit = downloadWaitLimit_;
        dependencies.defaultOutputFolder = defaultOutputFolder_;
        dependencies.quit = [this] { ++terminations_; };
        dependencies.passwords = &passwords_;
        if (pkcs11Module_) {
            dependencies.routeService.pkcs11Module = *pkcs11Module_;
        }
        dependencies.writeDanfe = [this](const std::filesystem::path& invoiceFile) {
            danfes_.push_back(invoiceFile);
            if (danfeFailure_) {
                throw std::runtime_error(*danfeFailure_);
            }
        };
        dependencies.officialRoute = [this](const RouteRequest& request) {
            lastRequest_ = request;
            ++routeRequests_;
            if (duringRoute_) {
                duringRoute_();
            }
            if (!routeResults_.empty()) {
                RouteResult next = routeResults_.front();
                routeResults_.pop_front();
                return next;
            }
            return routeResult_;
        };
        window_ = std::make_unique<TfrmVLPrincipal>(std::move(dependencies));
        window_->show();
        window_->RunHandler([this] { window_->FormShow(); });
        QApplication::processEvents();
        return *window_;
    }

    test_support::TemporaryDirectory dir_;
    QTcpServer portal_;
    portal::PortalAddresses addresses_;
    FakeDialogs dialogs_;
    FakeBrowser* browser_ = nullptr;
    QWidget* browserView_ = nullptr;
    bool connected_ = true;
    int terminations_ = 0;
    FakePasswordStore passwords_;
    // The module that reaches the tokens, when a test has one.
    std::optional<std::filesystem::path> pkcs11Module_;
    // What the official route answers; it runs on another thread while the window waits.
    RouteResult routeResult_;
    // The answers of the first requests, in turn, before routeResult_.
    std::deque<RouteResult> routeResults_;
    std::atomic<int> routeRequests_ = 0;
    // Runs inside the route, on its thread, before it answers.
    std::function<void()> duringRoute_;
    std::chrono::milliseconds downloadWaitLimit_ = std::chrono::seconds(20);
    std::filesystem::path defaultOutputFolder_;
    RouteRequest lastRequest_;
    // The invoice files whose DANFE was asked for, and why drawing it fails, if it does.
    std::vector<std::filesystem::path> danfes_;
    std::optional<std::string> danfeFailure_;
    std::unique_ptr<TfrmVLPrincipal> window_;
};

}  // namespace app
