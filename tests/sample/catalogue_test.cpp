#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "capture/capture_page.h"
#include "convert/convert_page_text.h"
#include "convert/page_document.h"
#include "nfe/access_key.h"
#include "sample/portal/catalogue.h"
#include "sample/portal/sample_invoices.h"

namespace sample {
namespace {

using testing::HasSubstr;

TEST(BundledSamples, EveryKeyIsAValidAccessKey) {
    const Catalogue catalogue(BundledSampleInvoices());  // throws on a key used twice
    for (const SampleInvoice& invoice : catalogue.Invoices()) {
        EXPECT_EQ(invoice.key.size(), 44u);
        EXPECT_TRUE(nfe::IsValidAccessKey(invoice.key)) << invoice.key;
        EXPECT_FALSE(invoice.description.empty());
        EXPECT_THAT(invoice.layout, testing::AnyOf("1.10", "2.00", "3.10", "4.00"));
        ASSERT_TRUE(invoice.printPage && invoice.xml) << invoice.key;
        EXPECT_EQ(catalogue.Find(invoice.key), &invoice);
    }
}

TEST(BundledSamples, HoldTheInvoicesAndOneKeyForEachFaultModeThatAKeyCanChoose) {
    std::multiset<FaultMode> faults;
    int cancelled = 0;
    for (const SampleInvoice& invoice : BundledSampleInvoices()) {
        faults.insert(invoice.fault);
        cancelled += invoice.cancelled ? 1 : 0;
    }
    EXPECT_EQ(faults.count(FaultMode::none), 16u);
    EXPECT_EQ(cancelled, 1);
    for (const FaultModeInfo& info : FaultModes()) {
        EXPECT_EQ(faults.count(info.mode), info.chosenByKey ? 1u : 0u) << info.name;
    }
}

// The page of each sample converts to a document under the sample's own key, as the program
// reads it; the version-1.10 page is the one the program declines.
TEST(BundledSamples, EachPageReadsBackUnderItsOwnKeyAndEachFileCarriesIt) {
    for (const SampleInvoice& invoice : BundledSampleInvoices()) {
        SCOPED_TRACE(invoice.key);
        EXPECT_THAT(invoice.xml(), HasSubstr("Id=\"NFe" + invoice.key + "\""));
        const std::string lines =
            capture::JoinPageLines(capture::PageLinesFromDocument(invoice.printPage()).value());
        if (invoice.layout == "1.10") {
            EXPECT_THAT(lines, HasSubstr("\r\nVers\xE3o 1.10\r\n"));
            EXPECT_THROW(convert::ReadPageDocument(lines, {}), convert::OldLayoutAborted);
            continue;
        }
        const nfe::TNFe read = convert::ReadPageDocument(lines, {});
        EXPECT_EQ(read.infNFe.ID, invoice.key);
        EXPECT_EQ(read.procNFe.cStat, invoice.cancelled ? 101 : 100);
    }
}

TEST(BundledSamples, KeyFieldsGetTheirCheckDigit) {
    EXPECT_EQ(KeyWithCheckDigit("35 1507 61024385000111 55 001 000000101 1 10203040"),
              "35150761024385000111550010000001011102030405");
    EXPECT_THROW(KeyWithCheckDigit("35 1507 61024385000111 55 001 000000101 1 1020304"),
                 std::invalid_argument);
    EXPECT_THROW(KeyWithCheckDigit("35 1507 61024385000111 55 001 000000101 1 1020304x"),
                 std::invalid_argument);
}

TEST(Catalogue, RefusesAKeyUsedTwiceAndFindsOnlyWholeKeys) {
    SampleInvoice invoice{"123", "one", "3.10", false, FaultMode::none, {}, {}};
    EXPECT_THROW(Catalogue({invoice, invoice}), std::invalid_argument);

    const Catalogue catalogue({invoice});
    EXPECT_NE(catalogue.Find("123"), nullptr);
    EXPECT_EQ(catalogue.Find("12"), nullptr);
    EXPECT_EQ(catalogue.Find(""), nullptr);
}

}  // namespace
}  // namespace sample
