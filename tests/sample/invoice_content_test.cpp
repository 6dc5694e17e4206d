#include "sample/portal/invoice_content.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <vector>

#include "capture/capture_page.h"
#include "convert/page_document.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/portal/sample_invoices.h"

namespace sample {
namespace {

using testing::HasSubstr;

TEST(InvoiceContent, BuildsTheDocumentOnceOnFirstUseFromAnyThread) {
    const nfe::TNFe document = InvoiceWithItems(2, 3001);
    SampleInvoice invoice;
    invoice.key = document.infNFe.ID;
    std::atomic<int> builds = 0;
    SetInvoiceContent(invoice, [&] {
        ++builds;
        return document;
    });
    EXPECT_EQ(builds, 0);

    std::vector<std::future<std::string>> pages;
    for (int i = 0; i < 4; ++i) {
        pages.push_back(std::async(std::launch::async, invoice.printPage));
    }
    const std::string page = pages.front().get();
    for (auto& other : pages) {
        if (other.valid()) {
            EXPECT_EQ(other.get(), page);
        }
    }
    const std::string xml = invoice.xml();
    EXPECT_EQ(builds, 1);
    EXPECT_THAT(page, HasSubstr("3515 0311 2223 3300 0181"));
    EXPECT_THAT(xml, HasSubstr("Id=\"NFe" + invoice.key + "\""));
    EXPECT_THAT(xml, HasSubstr("<nNF>3001</nNF>"));
}

TEST(InvoiceContent, TheDocumentTakesTheInvoicesKeyAndReadsBackUnderIt) {
    // Another issuer, month, series, number and numeric code than the built document's.
    SampleInvoice invoice;
    invoice.key = KeyWithCheckDigit("41 1508 08765432000103 55 009 000000202 1 20304050");
    SetInvoiceContent(invoice, [] { return InvoiceWithItems(1, 3002); });

    const nfe::TNFe read = convert::ReadPageDocument(
        capture::JoinPageLines(capture::PageLinesFromDocument(invoice.printPage()).value()), {});
    EXPECT_EQ(read.infNFe.ID, invoice.key);
    EXPECT_EQ(read.Ide.serie, 9);
    EXPECT_EQ(read.Ide.nNF, 202);
    EXPECT_EQ(read.Ide.cNF, 20304050);
    const std::string xml = invoice.xml();
    EXPECT_THAT(xml, HasSubstr("Id=\"NFe" + invoice.key + "\""));
    EXPECT_THAT(xml, HasSubstr("<cNF>20304050</cNF>"));
    EXPECT_THAT(xml, HasSubstr("<serie>9</serie><nNF>202</nNF>"));
    EXPECT_THAT(xml, HasSubstr("<cDV>" + invoice.key.substr(43) + "</cDV>"));
    EXPECT_THAT(xml, HasSubstr("<chNFe>" + invoice.key + "</chNFe>"));

    EXPECT_THROW(DocumentWithKey(nfe::TNFe(), "41150808765432000103550090000002022030405003"),
                 std::invalid_argument);
}

}  // namespace
}  // namespace sample
