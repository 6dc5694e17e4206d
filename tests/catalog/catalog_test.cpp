#include "catalog/catalog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "catalog/error.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace catalog {
namespace {

using ::testing::HasSubstr;

constexpr const char* kKey = "35150761024385000111550010000001011102030405";

DocumentFacts Summary(const std::string& key) {
    DocumentFacts facts;
    facts.kind = DocumentKind::summary;
    facts.key = key;
    facts.issuer = "61024385000111";
    facts.issuerName = "ALFA";
    facts.issued = "2015-07-10";
    facts.valueCents = 150000;
    return facts;
}

DocumentFacts Cancellation(const std::string& key) {
    DocumentFacts facts;
    facts.kind = DocumentKind::event;
    facts.key = key;
    facts.eventType = "110111";
    facts.sequence = 1;
    return facts;
}

TEST(CatalogTest, ASummaryThenItsInvoiceAndACancellationMakeOneCancelledDocument) {
    test_support::TemporaryDirectory folder;
    Catalog catalog(folder / "c.sqlite");
    // The cancellation may come before the invoice.
    EXPECT_EQ(catalog.Record(Cancellation(kKey), {"44555666000181", 3, folder / "e.xml", 1}),
              RecordOutcome::recorded);
    EXPECT_EQ(catalog.Record(Summary(kKey), {"44555666000181", 1, folder / "r.xml", 1}),
              RecordOutcome::recorded);
    DocumentFacts full = Summary(kKey);
    full.kind = DocumentKind::invoice;
    EXPECT_EQ(catalog.Record(full, {"44555666000181", 2, folder / "p.xml", 2}),
              RecordOutcome::recorded);
    EXPECT_EQ(catalog.Record(Summary(kKey), {"44555666000181", 1, folder / "r2.xml", 3}),
              RecordOutcome::known);
    const auto invoices = catalog.Invoices({});
    ASSERT_EQ(invoices.size(), 1u);
    EXPECT_TRUE(invoices[0].full);
    EXPECT_EQ(invoices[0].file, folder / "p.xml");
    EXPECT_EQ(invoices[0].situation, Situation::cancelled);
}

TEST(CatalogTest, FilesThatAreNotItsCatalogueAreRefusedAndLeftAlone) {
    test_support::TemporaryDirectory folder;
    const auto text = folder / "text";
    std::ofstream(text) << "linha";
    EXPECT_THROW(Catalog{text}, CatalogError);
    EXPECT_EQ(test_support::ReadFile(text), "linha");

    const auto newer = folder / "newer.sqlite";
    { Catalog created(newer); }
    sqlite3* database = nullptr;
    sqlite3_open(newer.c_str(), &database);
    sqlite3_exec(database, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
    sqlite3_close(database);
    try {
        Catalog refused(newer);
        FAIL();
    } catch (const CatalogError& error) {
        EXPECT_THAT(error.what(), HasSubstr("versão mais nova"));
    }

    const auto foreign = folder / "foreign.sqlite";
    sqlite3_open(foreign.c_str(), &database);
    sqlite3_exec(database, "CREATE TABLE t(x)", nullptr, nullptr, nullptr);
    sqlite3_close(database);
    EXPECT_THROW(Catalog{foreign}, CatalogError);
}

TEST(CatalogTest, TwoProcessesWritingAtOnceLoseNoRow) {
    test_support::TemporaryDirectory folder;
    const auto file = folder / "c.sqlite";
    constexpr int kEach = 300;
    std::vector<pid_t> children;
    for (int process = 0; process < 2; ++process) {
        const pid_t child = fork();
        if (child == 0) {
            int status = 0;
            try {
                Catalog catalog(file);
                for (int i = 0; i < kEach; ++i) {
                    DocumentFacts other;
                    const std::string name =
                        std::to_string(process) + "-" + std::to_string(i) + ".xml";
                    catalog.Record(other, {"44555666000181", std::nullopt, folder / name, 1});
                }
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Catalog catalog(file);
    for (int process = 0; process < 2; ++process) {
        for (int i = 0; i < kEach; ++i) {
            EXPECT_TRUE(catalog.IsRecorded(
                folder / (std::to_string(process) + "-" + std::to_string(i) + ".xml")));
        }
    }
}

}  // namespace
}  // namespace catalog
