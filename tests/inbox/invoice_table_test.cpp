// The table over a catalogue on a temporary database: the catalogue's listing for a company
// and period, then the filters as typed and the sorting by column.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFont>

#include "catalog/catalog.h"
#include "inbox/invoice_filter.h"
#include "inbox/invoice_table_model.h"
#include "inbox/status_line.h"
#include "tests/support-qt/qt_application.h"
#include "tests/support/temporary_directory.h"

namespace inbox {
namespace {

using ::testing::ElementsAre;

constexpr const char* kCompany = "44555666000181";
constexpr const char* kOther = "61024385000111";
// Numbers 101, 202, 103, 304 (series 2) and 112.
constexpr const char* kAlfa101 = "35150761024385000111550010000001011102030405";
constexpr const char* kGama202 = "41150808765432000103550010000002021203040502";
constexpr const char* kAlfa103 = "35150961024385000111550010000001031304050603";
constexpr const char* kDelta304 = "33151045321789000110550020000003041405060709";
constexpr const char* kAlfa112 = "35160561024385000111550010000001121141516176";

class InvoiceTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::EnsureApplication();
        Add(kAlfa101, catalog::DocumentKind::invoice, "61024385000111", "ALFA INDUSTRIA",
            "2026-12-02", 150000);
        Add(kGama202, catalog::DocumentKind::summary, "08765432000103", "Gama Comércio",
            "2026-12-05", 99);
        Add(kAlfa103, catalog::DocumentKind::invoice, "61024385000111", "ALFA INDUSTRIA",
            "2026-11-20", 1000000);
        Add(kDelta304, catalog::DocumentKind::summary, "45321789000110", "DELTA IMPORTADORA",
            "2026-12-10", 2500);
        Add(kAlfa112, catalog::DocumentKind::invoice, "61024385000111", "ALFA INDUSTRIA",
            "2026-12-01", 700, kOther);
        catalog::DocumentFacts cancellation;
        cancellation.kind = catalog::DocumentKind::event;
        cancellation.key = kAlfa101;
        cancellation.eventType = "110111";
        cancellation.sequence = 1;
        catalogue_.Record(cancellation, {kCompany, std::nullopt, folder_ / "c.xml", 1});
        catalog::DocumentFacts ciencia = cancellation;
        ciencia.key = kAlfa103;
        ciencia.eventType = "210210";
        catalogue_.Record(ciencia, {kCompany, std::nullopt, folder_ / "m.xml", 1});
    }

    void Add(const char* key, catalog::DocumentKind kind, const char* issuer, const char* name,
             const char* issued, std::int64_t cents, const char* company = kCompany) {
        catalog::DocumentFacts facts;
        facts.kind = kind;
        facts.key = key;
        facts.issuer = issuer;
        facts.issuerName = name;
        facts.issued = issued;
        facts.valueCents = cents;
        catalogue_.Record(facts, {company, std::nullopt, folder_ / (std::string(key) + ".xml"), 1});
    }

    std::vector<std::string> Keys() const {
        std::vector<std::string> keys;
        for (const catalog::ListedInvoice& invoice : model_.Shown()) {
            keys.push_back(invoice.key);
        }
        return keys;
    }

    test_support::TemporaryDirectory folder_;
    catalog::Catalog catalogue_{folder_ / "catalogo.sqlite"};
    InvoiceTableModel model_;
};

TEST_F(InvoiceTableTest, TheCompanyAndPeriodComeFromTheCatalogueNewestFirst) {
    model_.SetInvoices(catalogue_.Invoices(CatalogFilter(kCompany, Period::thisMonth, 2026, 12)));
    EXPECT_THAT(Keys(), ElementsAre(kDelta304, kGama202, kAlfa101));
    EXPECT_EQ(StatusLine(model_.Shown()),
              "3 notas · 2 só resumo · 1 cancelada · total R$ 1.525,99");
    model_.SetInvoices(catalogue_.Invoices(CatalogFilter(kCompany, Period::lastMonth, 2026, 12)));
    EXPECT_THAT(Keys(), ElementsAre(kAlfa103));
    model_.SetInvoices(catalogue_.Invoices(CatalogFilter("", Period::all, 2026, 12)));
    EXPECT_EQ(model_.rowCount(), 5);
}

TEST_F(InvoiceTableTest, FiltersApplyToNameNumberKeyCnpjAndSituation) {
    model_.SetInvoices(catalogue_.Invoices(CatalogFilter(kCompany, Period::all, 2026, 12)));
    struct Case {
        SituationChoice situation;
        std::string search;
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        {SituationChoice::all, "alfa", {kAlfa101, kAlfa103}},
        {SituationChoice::all, "  COMércio ", {kGama202}},  // any case of the ASCII letters
        {SituationChoice::all, "45.321.789/0001-10", {kDelta304}},
        {SituationChoice::all, "202", {kGama202}},
        {SituationChoice::all, "000000202", {kGama202}},
        {SituationChoice::all, "3515 0961 0243", {kAlfa103}},
        {SituationChoice::all, "nada disso", {}},
        {SituationChoice::cancelled, "", {kAlfa101}},
        {SituationChoice::authorised, "alfa", {kAlfa103}},
        {SituationChoice::summariesOnly, "", {kDelta304, kGama202}},
        {SituationChoice::notManifested, "", {kDelta304, kGama202, kAlfa101}},
        {SituationChoice::denied, "", {}},
    };
    for (const Case& c : cases) {
        model_.SetFilter({c.situation, c.search});
        EXPECT_EQ(Keys(), c.keys) << c.search << " " << static_cast<int>(c.situation);
    }
}

TEST_F(InvoiceTableTest, SortingByAColumnKeepsTheNewestFirstAmongEquals) {
    model_.SetInvoices(catalogue_.Invoices(CatalogFilter("", Period::all, 2026, 12)));
    struct Case {
        Column column;
        Qt::SortOrder order;
        std::vector<std::string> keys;
    };
    const Case cases[] = {
        {Column::value, Qt::AscendingOrder, {kGama202, kAlfa112, kDelta304, kAlfa101, kAlfa103}},
        {Column::number, Qt::DescendingOrder, {kDelta304, kGama202, kAlfa112, kAlfa103, kAlfa101}},
        {Column::issuer, Qt::AscendingOrder, {kAlfa101, kAlfa112, kAlfa103, kDelta304, kGama202}},
        {Column::content, Qt::AscendingOrder, {kDelta304, kGama202, kAlfa101, kAlfa112, kAlfa103}},
        {Column::issued, Qt::AscendingOrder, {kAlfa103, kAlfa112, kAlfa101, kGama202, kDelta304}},
    };
    for (const Case& c : cases) {
        model_.sort(static_cast<int>(c.column), c.order);
        EXPECT_EQ(Keys(), c.keys) << static_cast<int>(c.column);
    }
}

TEST_F(InvoiceTableTest, CellsShowReaisCancelledRowsAndWhatSummariesNeed) {
    model_.SetInvoices(catalogue_.Invoices(CatalogFilter(kCompany, Period::all, 2026, 12)));
    model_.sort(static_cast<int>(Column::value), Qt::DescendingOrder);
    const auto cell = [&](int row, Column column, int role = Qt::DisplayRole) {
        return model_.data(model_.index(row, static_cast<int>(column)), role);
    };
    EXPECT_EQ(cell(0, Column::value).toString(), "R$ 10.000,00");
    EXPECT_EQ(cell(0, Column::issued).toString(), "20/11/2026");
    EXPECT_EQ(cell(0, Column::issuerNumber).toString(), "61.024.385/0001-11");
    EXPECT_EQ(cell(0, Column::number).toString(), "103/1");
    EXPECT_EQ(cell(0, Column::manifestation).toString(), "ciência");
    EXPECT_EQ(cell(1, Column::situation).toString(), "cancelada");
    EXPECT_TRUE(cell(1, Column::issuer, Qt::FontRole).value<QFont>().strikeOut());
    EXPECT_FALSE(cell(0, Column::issuer, Qt::FontRole).isValid());
    EXPECT_EQ(cell(3, Column::content).toString(), "só resumo: falta a Ciência");
    EXPECT_EQ(cell(0, Column::content).toString(), "NF-e completa");
}

}  // namespace
}  // namespace inbox
