#include "sample/invoices/invoice_builders.h"

#include <gtest/gtest.h>

#include <set>

#include "nfe/access_key.h"

namespace sample {
namespace {

TEST(SampleDocuments, EachHasItsOwnValidAccessKey) {
    std::set<std::string> keys;
    std::set<std::string_view> names;
    for (const SampleDocument& sample : SampleDocuments()) {
        SCOPED_TRACE(sample.name);
        const nfe::TNFe nfe = sample.build();
        EXPECT_TRUE(nfe::IsValidAccessKey(nfe.infNFe.ID)) << nfe.infNFe.ID;
        EXPECT_EQ(nfe.procNFe.chNFe, nfe.infNFe.ID);
        EXPECT_EQ(nfe.Ide.cDV, nfe.infNFe.ID.back() - '0');
        EXPECT_TRUE(keys.insert(nfe.infNFe.ID).second);
        EXPECT_TRUE(names.insert(sample.name).second);
        EXPECT_GT(nfe.Det.Count(), 0);
    }
}

TEST(SampleDocuments, TheInvoiceValueIsTheSumOfItsParts) {
    const nfe::TNFe nfe = ImportInvoice();
    const nfe::TICMSTot& tot = nfe.Total.ICMSTot;
    EXPECT_EQ(tot.vNF, tot.vProd + tot.vST + tot.vII + tot.vIPI);
    EXPECT_EQ(tot.vProd, nfe::Currency::FromUnits(5000));
    EXPECT_EQ(InvoiceWithItems(990).Det.Count(), 990);
}

}  // namespace
}  // namespace sample
