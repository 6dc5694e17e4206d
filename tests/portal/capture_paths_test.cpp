// The desktop program and vellora-convert capture a print page in two ways: the program takes
// the body's markup as the embedded browser serialises it, vellora-convert parses the saved
// file. Both must give the same page lines, and so the same XML file, for the same page.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QWidget>

#include "capture/capture_page.h"
#include "capture/saved_page.h"
#include "convert/convert_page_text.h"
#include "portal/webengine_browser.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/print_page/print_page.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"
#include "text/windows1252.h"

namespace sample {
// Names the page in test listings instead of dumping the struct's bytes.
void PrintTo(const SampleDocument& document, std::ostream* out) {
    *out << document.name;
}
}  // namespace sample

namespace portal {
namespace {

class CapturePathsTest : public ::testing::TestWithParam<sample::SampleDocument> {
protected:
    void SetUp() override {
        test_support::EnsureApplication();
        host_ = std::make_unique<QWidget>();
        browser_ = std::make_unique<WebEngineBrowser>(host_.get(), std::chrono::seconds(10));
        browser_->onDocumentComplete = [this] { ++loads_; };
    }

    // The page lines as the desktop program captures the page once it has loaded.
    capture::PageLines CapturedInTheBrowser(const std::filesystem::path& page) {
        browser_->Navigate("file://" + page.string());
        EXPECT_TRUE(test_support::WaitUntil([&] { return loads_ > 0; }));
        const std::optional<std::string> body = browser_->BodyInnerHtml();
        EXPECT_TRUE(body.has_value());
        return capture::PageLinesFromMarkup(text::Utf8ToWindows1252(body.value_or("")));
    }

    std::string Converted(const capture::PageLines& lines, const std::filesystem::path& folder) {
        convert::ConversionSettings settings;
        settings.outputFolder = folder.string();
        return test_support::ReadFile(
            convert::ConvertPageText(capture::JoinPageLines(lines), settings));
    }

    void TearDown() override {
        browser_.reset();
        host_.reset();
    }

    std::unique_ptr<QWidget> host_;
    std::unique_ptr<WebEngineBrowser> browser_;
    int loads_ = 0;
    test_support::TemporaryDirectory dir_;
};

TEST_P(CapturePathsTest, TheProgramAndTheSavedPageGiveTheSameXml) {
    const std::string html = sample::RenderPrintPage(GetParam().build());
    test_support::WriteFile(dir_ / "page.html", html);

    const capture::PageLines inBrowser = CapturedInTheBrowser(dir_ / "page.html");
    const capture::PageLines saved =
        capture::PageLinesFromDocument(capture::DecodeSavedPage(html)).value();
    ASSERT_EQ(inBrowser, saved);
    EXPECT_EQ(Converted(inBrowser, dir_ / "program"), Converted(saved, dir_ / "saved"));
}

// Notes and instalments are read at offsets that count a blank at the end of a text.
const sample::SampleDocument kPages[] = {
    {"billing", "", sample::BillingInvoice},
    {"notes", "", sample::NotesInvoice},
    {"regime-normal", "", sample::RegimeNormalInvoice},
};

INSTANTIATE_TEST_SUITE_P(SamplePages, CapturePathsTest, ::testing::ValuesIn(kPages),
                         [](const auto& info) {
                             std::string name(info.param.name);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace portal
