#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "nfe/access_key.h"
#include "sample/portal/catalogue.h"
#include "sample/portal/sample_invoices.h"

namespace sample {
namespace {

TEST(BundledSamples, EveryKeyIsAValidAccessKey) {
    const Catalogue catalogue(BundledSampleInvoices());  // throws on a key used twice
    for (const SampleInvoice& invoice : catalogue.Invoices()) {
        EXPECT_EQ(invoice.key.size(), 44u);
        EXPECT_TRUE(nfe::IsValidAccessKey(invoice.key)) << invoice.key;
        EXPECT_FALSE(invoice.description.empty());
        EXPECT_THAT(invoice.layout, testing::AnyOf("1.10", "2.00", "3.10"));
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
    EXPECT_EQ(faults.count(FaultMode::none), 14u);
    EXPECT_EQ(cancelled, 1);
    for (const FaultModeInfo& info : FaultModes()) {
        EXPECT_EQ(faults.count(info.mode), info.chosenByKey ? 1u : 0u) << info.name;
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
