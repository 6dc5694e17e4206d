#include "sample/portal/portal_server.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>

#include <future>
#include <mutex>
#include <thread>

#include "sample/portal/portal_addresses.h"
#include "tests/sample/portal_visitor.h"

namespace sample {
namespace {

using namespace std::chrono_literals;
using testing::HasSubstr;

const std::string kKey(44, '1');
const std::string kBrokenKey(44, '2');
const std::string kFailingKey(44, '3');
const std::string kXml = "<nfeProc>" + std::string(4000, 'x') + "</nfeProc>";

std::vector<SampleInvoice> Invoices() {
    SampleInvoice invoice{kKey, "Test invoice", "3.10", false, FaultMode::none, {}, {}};
    invoice.printPage = [] { return std::string("<html><body>Print page</body></html>"); };
    invoice.xml = [] { return kXml; };
    SampleInvoice broken = invoice;
    broken.key = kBrokenKey;
    broken.fault = FaultMode::downloadBroken;
    SampleInvoice failing = invoice;
    failing.key = kFailingKey;
    failing.printPage = []() -> std::string { throw std::runtime_error("no document"); };
    return {invoice, broken, failing};
}

PortalSettings Settings(std::string testCaptcha, FaultMode fault = FaultMode::none,
                        std::chrono::seconds slowDelay = 5s) {
    PortalSettings settings;
    settings.testCaptcha = std::move(testCaptcha);
    settings.fault = fault;
    settings.slowDelay = slowDelay;
    return settings;
}

// The portal served on a free port of 127.0.0.1 for the length of one test.
class ServedPortal {
public:
    explicit ServedPortal(PortalSettings settings)
        : server_(Portal(Catalogue(Invoices()), std::move(settings), 1),
                  [this](const std::string& line) {
                      const std::lock_guard lock(mutex_);
                      log_.push_back(line);
                  }) {
        port_ = server_.Bind(0);
        thread_ = std::thread([this] { server_.Serve(); });
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!server_.IsServing() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(5ms);
        }
    }
    ~ServedPortal() {
        server_.Stop();
        thread_.join();
    }

    int port() const { return port_; }
    std::vector<std::string> log() {
        const std::lock_guard lock(mutex_);
        return log_;
    }
    void Stop() { server_.Stop(); }

private:
    std::mutex mutex_;
    std::vector<std::string> log_;
    PortalServer server_;
    int port_ = 0;
    std::thread thread_;
};

httplib::Params Submission(const std::string& key, const std::string& captcha) {
    return PortalVisitor::SubmissionFields(key, captcha);
}

TEST(PortalServer, ServesOneWholeQueryOverHttp) {
    ServedPortal portal(Settings("K7P4X"));
    PortalVisitor browser(portal.port());

    const auto page = browser.Get(kConsultationPage);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_THAT(browser.cookie(), testing::StartsWith("ASP.NET_SessionId="));
    const auto marker = page->body.find("data:image/png;base64,iVBORw0KGgo");
    ASSERT_NE(marker, std::string::npos);
    EXPECT_NE(page->body.find("\"> <INPUT", marker), std::string::npos);

    const auto submitted = browser.Post(kConsultationPage, Submission(kKey, "K7P4X"));
    ASSERT_TRUE(submitted);
    EXPECT_EQ(submitted->status, 302);
    EXPECT_EQ(submitted->get_header_value("Location"), kResultPage);

    const auto result = browser.Get(kResultPage);
    ASSERT_TRUE(result);
    EXPECT_THAT(result->body, HasSubstr(std::string(kDownloadButton)));
    const auto print = browser.Get(kPrintPage);
    ASSERT_TRUE(print);
    EXPECT_EQ(print->body, "<html><body>Print page</body></html>");

    const auto download = browser.Post(kResultPage, {{std::string(kDownloadButton), "x"}});
    ASSERT_TRUE(download);
    ASSERT_EQ(download->status, 302);
    const auto file = browser.Get(download->get_header_value("Location"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->status, 200);
    EXPECT_EQ(file->get_header_value("Content-Disposition"),
              "attachment; filename=\"" + kKey + ".xml\"");
    EXPECT_EQ(file->body, kXml);

    const std::vector<std::string> log = portal.log();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_EQ(log[0], "GET " + std::string(kConsultationPage) + " 200");
    EXPECT_EQ(log[1],
              "POST " + std::string(kConsultationPage) + " 302 -> " + std::string(kResultPage));
}

TEST(PortalServer, ClearedCookiesStartANewSessionWithoutItsCaptcha) {
    ServedPortal portal(Settings("K7P4X"));
    PortalVisitor first(portal.port());
    ASSERT_TRUE(first.Get(kConsultationPage));

    PortalVisitor cleared(portal.port());
    const auto refused = cleared.Post(kConsultationPage, Submission(kKey, "K7P4X"));
    ASSERT_TRUE(refused);
    // The client library decodes the "%3d" of the wrong-captcha return in headers it reads.
    EXPECT_THAT(refused->get_header_value("Location"),
                testing::StartsWith("/portal/consulta.aspx?tipoConsulta=completa"));
    EXPECT_NE(cleared.cookie(), first.cookie());

    const auto accepted = first.Post(kConsultationPage, Submission(kKey, "K7P4X"));
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->get_header_value("Location"), kResultPage);
}

TEST(PortalServer, AFailingPageAnswersHttp500AndLogsWhy) {
    ServedPortal portal(Settings("K7P4X"));
    PortalVisitor browser(portal.port());
    ASSERT_TRUE(browser.Get(kConsultationPage));
    ASSERT_TRUE(browser.Post(kConsultationPage, Submission(kFailingKey, "K7P4X")));
    const auto print = browser.Get(kPrintPage);
    ASSERT_TRUE(print);
    EXPECT_EQ(print->status, 500);
    EXPECT_EQ(portal.log().back(), "GET " + std::string(kPrintPage) + " 500 (no document)");
}

TEST(PortalServer, BrokenDownloadEndsShortOfItsAnnouncedLength) {
    ServedPortal portal(Settings("K7P4X"));
    PortalVisitor browser(portal.port());
    ASSERT_TRUE(browser.Get(kConsultationPage));
    ASSERT_TRUE(browser.Post(kConsultationPage, Submission(kBrokenKey, "K7P4X")));
    const auto file = browser.Get(std::string(kDownloadPath) + "?chNFe=" + kBrokenKey);
    if (file) {
        EXPECT_LT(file->body.size(), kXml.size());
    } else {
        EXPECT_EQ(file.error(), httplib::Error::Read);
    }
}

TEST(PortalServer, SlowPagesWaitAndStoppingCutsTheWaitShort) {
    ServedPortal slow(Settings("", FaultMode::slowPages, 1s));
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(PortalVisitor(slow.port()).Get(kNotFoundPage));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1s);

    ServedPortal stuck(Settings("", FaultMode::slowPages, 600s));
    auto pending = std::async(std::launch::async,
                              [&] { return PortalVisitor(stuck.port()).Get(kNotFoundPage); });
    std::this_thread::sleep_for(200ms);
    stuck.Stop();
    ASSERT_EQ(pending.wait_for(10s), std::future_status::ready);
}

}  // namespace
}  // namespace sample
