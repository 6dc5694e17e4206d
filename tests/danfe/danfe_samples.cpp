#include "tests/danfe/danfe_samples.h"

#include <gtest/gtest.h>

#include "danfe/gui_session.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/portal/invoice_content.h"
#include "sample/portal/sample_invoices.h"
#include "tests/support/child_process.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace danfe_test {

void EnsureGui() {
    // Kept to the end of the process: destroyed among the static objects, after Qt's own,
    // the application would crash the program on its way out.
    static const danfe::GuiSession* const session = new danfe::GuiSession;
    (void)session;
}

std::string SampleXml(const std::string& key) {
    for (sample::SampleInvoice& invoice : sample::BundledSampleInvoices()) {
        if (invoice.key == key) {
            return invoice.xml();
        }
    }
    ADD_FAILURE() << "no sample invoice " << key;
    return {};
}

std::string InvoiceWithItemsXml(int count) {
    sample::SampleInvoice invoice;
    invoice.key = sample::KeyWithCheckDigit("35 1503 61024385000111 55 001 000002000 1 20152000");
    sample::SetInvoiceContent(invoice, [count] { return sample::InvoiceWithItems(count); });
    return invoice.xml();
}

std::string Layout400Xml() {
    return test_support::ReadFile(test_support::FixturePath("danfe", "layout400.xml"));
}

std::string PdfText(const std::string& pdf) {
    const test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "danfe.pdf", pdf);
    const auto result =
        test_support::RunCommand("pdftotext '" + (folder / "danfe.pdf").string() + "' -");
    EXPECT_EQ(result.status, 0) << "pdftotext (poppler-utils) failed";
    return result.text;
}

std::string BarcodesOfFirstSheet(const std::string& pdf) {
    const test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "danfe.pdf", pdf);
    const std::string base = (folder / "sheet").string();
    const auto rendered =
        test_support::RunCommand("pdftoppm -png -r 300 -f 1 -l 1 -singlefile '" +
                                 (folder / "danfe.pdf").string() + "' '" + base + "'");
    EXPECT_EQ(rendered.status, 0) << "pdftoppm (poppler-utils) failed";
    return test_support::RunCommand("zbarimg -q --raw -Sdisable -Scode128.enable '" + base +
                                    ".png'")
        .text;
}

}  // namespace danfe_test
