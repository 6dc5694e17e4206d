#include "dfe/usage_record.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <future>
#include <thread>

#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace dfe {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;
using ::testing::Not;

const Time kStart{std::chrono::seconds(1'800'000'000)};
const Party kHeadOffice{Party::Kind::cnpj, "44555666000181"};
const Party kBranch{Party::Kind::cnpj, "44555666000262"};

TEST(UsageRecord, KeepsTheLimitsPerCnpjBaseAndTheNsuPerCnpj) {
    test_support::TemporaryDirectory data;
    {
        UsageRecord record(data.path(), "producao", kHeadOffice);
        EXPECT_FALSE(record.LastNsu());
        record.limits().RecordSent(RequestKind::consChNFe, kStart);
        record.limits().RecordAnswer(RequestKind::distNsu, 137, true, kStart + 1s);
        record.SetLastNsu(4321);
        record.Save();
        EXPECT_EQ(record.path(), data / "dfe" / "producao-44555666.txt");
    }
    {
        // A branch shares the base's limits, not its NSU.
        UsageRecord branch(data.path(), "producao", kBranch);
        EXPECT_FALSE(branch.LastNsu());
        EXPECT_TRUE(branch.limits().HoldFor(RequestKind::distNsu, kStart + 10min));
        branch.SetLastNsu(99);
        branch.Save();
    }
    UsageRecord again(data.path(), "producao", kHeadOffice);
    EXPECT_EQ(again.LastNsu(), 4321u);
    EXPECT_EQ(again.limits().state().keyQueries, std::vector<Time>{kStart});
    EXPECT_EQ(again.limits().state().newDocumentsAfter, kStart + 1s + 1h);

    UsageRecord otherService(data.path(), "homologacao", kHeadOffice);
    EXPECT_FALSE(otherService.LastNsu());
    EXPECT_FALSE(otherService.limits().HoldFor(RequestKind::distNsu, kStart + 10min));
}

TEST(UsageRecord, ADamagedFileIsReportedNotIgnored) {
    test_support::TemporaryDirectory data;
    std::filesystem::create_directories(data / "dfe");
    for (const std::string line :
         {"blocked-until soon", "key-query -5", "new-documents-after 99999999999999",
          "last-nsu 44555666000180 12", "last-nsu 44555666000181 x"}) {
        test_support::WriteFile(data / "dfe" / "producao-44555666.txt",
                                "# comment\nsome-later-field 1 2\n" + line + "\n");
        try {
            UsageRecord record(data.path(), "producao", kHeadOffice);
            ADD_FAILURE() << "a damaged record was read: " << line;
        } catch (const StateError& error) {
            EXPECT_THAT(error.what(), HasSubstr("está danificado na linha 3"));
            EXPECT_THAT(error.what(), Not(HasSubstr("apague")));
        }
    }
}

TEST(UsageRecord, KeepsPendingNsusPerCnpj) {
    test_support::TemporaryDirectory data;
    {
        UsageRecord record(data.path(), "producao", kHeadOffice);
        record.AddPending(12);
        record.AddPending(7);
        record.AddPending(12);
        record.Save();
    }
    {
        UsageRecord branch(data.path(), "producao", kBranch);
        EXPECT_TRUE(branch.PendingNsus().empty());
        branch.AddPending(3);
        branch.Save();
    }
    UsageRecord again(data.path(), "producao", kHeadOffice);
    EXPECT_EQ(again.PendingNsus(), (std::vector<std::uint64_t>{7, 12}));
    again.RemovePending(7);
    EXPECT_EQ(again.PendingNsus(), std::vector<std::uint64_t>{12});
}

TEST(UsageRecord, ADamagedFileGivesWayToItsPreviousStateWithANotice) {
    test_support::TemporaryDirectory data;
    {
        UsageRecord record(data.path(), "producao", kHeadOffice);
        record.SetLastNsu(4321);
        record.Save();
        EXPECT_TRUE(record.notice().empty());
    }
    test_support::WriteFile(data / "dfe" / "producao-44555666.txt", "last-nsu 44555666000181 x\n");
    {
        UsageRecord record(data.path(), "producao", kHeadOffice);
        EXPECT_EQ(record.LastNsu(), 4321u);
        EXPECT_THAT(record.notice(), HasSubstr("está danificado na linha 1"));
        EXPECT_THAT(record.notice(), HasSubstr("producao-44555666.previous.txt"));
        record.Save();
    }
    EXPECT_TRUE(UsageRecord(data.path(), "producao", kHeadOffice).notice().empty());

    // What it holds is the company's business: its owner alone reads it, whatever the umask.
    const mode_t umask = ::umask(0);
    UsageRecord(data.path(), "producao", kHeadOffice).Save();
    ::umask(umask);
    for (const char* name :
         {"producao-44555666.txt", "producao-44555666.previous.txt", "producao-44555666.lock"}) {
        struct stat status {};
        ASSERT_EQ(::stat((data / "dfe" / name).c_str(), &status), 0) << name;
        EXPECT_EQ(status.st_mode & 0777, 0600u) << name;
    }
}

TEST(UsageRecord, ASecondRunForTheSameBaseWaitsForTheFirst) {
    test_support::TemporaryDirectory data;
    auto first = std::make_unique<UsageRecord>(data.path(), "producao", kHeadOffice);
    first->SetLastNsu(7);
    first->Save();

    std::promise<void> waiting;
    std::atomic<bool> opened = false;
    std::thread second([&] {
        UsageRecord record(data.path(), "producao", kBranch, [&] { waiting.set_value(); });
        opened = true;
    });
    waiting.get_future().wait();
    EXPECT_FALSE(opened);
    first.reset();
    second.join();
    EXPECT_TRUE(opened);
}

TEST(UsageRecord, ARunMayGiveUpInsteadOfWaiting) {
    test_support::TemporaryDirectory data;
    auto first = std::make_unique<UsageRecord>(data.path(), "producao", kHeadOffice);
    const auto giveUp = [] { throw StateError("ocupado"); };
    EXPECT_THROW(UsageRecord(data.path(), "producao", kBranch, giveUp), StateError);
    first.reset();
    // The run that gave up holds nothing: the next one needs no wait.
    UsageRecord next(data.path(), "producao", kBranch, giveUp);
    EXPECT_FALSE(next.LastNsu());
}

}  // namespace
}  // namespace dfe
