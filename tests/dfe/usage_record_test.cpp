#include "dfe/usage_record.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <future>
#include <thread>

#include "tests/dfe/support/fake_clock.h"
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
const test_support::FakeClock clock{kStart + 10min};

TEST(UsageRecord, KeepsTheLimitsPerCnpjBaseAndTheNsuPerCnpj) {
    test_support::TemporaryDirectory data;
    {
        UsageRecord record(data.path(), "producao", kHeadOffice, clock);
        EXPECT_FALSE(record.LastNsu());
        record.limits().RecordSent(RequestKind::consChNFe, kStart);
        record.limits().RecordAnswer(RequestKind::distNsu, 137, true, kStart + 1s);
        record.SetLastNsu(4321);
        record.Save();
        EXPECT_EQ(record.path(), data / "dfe" / "producao-44555666.txt");
    }
    {
        // A branch shares the base's limits, not its NSU.
        UsageRecord branch(data.path(), "producao", kBranch, clock);
        EXPECT_FALSE(branch.LastNsu());
        EXPECT_TRUE(branch.limits().HoldFor(RequestKind::distNsu, kStart + 10min));
        branch.SetLastNsu(99);
        branch.Save();
    }
    UsageRecord again(data.path(), "producao", kHeadOffice, clock);
    EXPECT_EQ(again.LastNsu(), 4321u);
    EXPECT_EQ(again.limits().state().keyQueries, std::vector<Time>{kStart});
    EXPECT_EQ(again.limits().state().newDocumentsAfter, kStart + 1s + 1h);

    UsageRecord otherService(data.path(), "homologacao", kHeadOffice, clock);
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
            UsageRecord record(data.path(), "producao", kHeadOffice, clock);
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
        UsageRecord record(data.path(), "producao", kHeadOffice, clock);
        record.AddPending(12);
        record.AddPending(7);
        record.AddPending(12);
        record.Save();
    }
    {
        UsageRecord branch(data.path(), "producao", kBranch, clock);
        EXPECT_TRUE(branch.PendingNsus().empty());
        branch.AddPending(3);
        branch.Save();
    }
    UsageRecord again(data.path(), "producao", kHeadOffice, clock);
    EXPECT_EQ(again.PendingNsus(), (std::vector<std::uint64_t>{7, 12}));
    again.RemovePending(7);
    EXPECT_EQ(again.PendingNsus(), std::vector<std::uint64_t>{12});
}

TEST(UsageRecord, ADamagedFileGivesWayToItsPreviousStateWithANotice) {
    test_support::TemporaryDirectory data;
    {
        UsageRecord record(data.path(), "producao", kHeadOffice, clock);
        record.SetLastNsu(4321);
        record.Save();
        EXPECT_TRUE(record.notice().empty());
    }
    test_support::WriteFile(data / "dfe" / "producao-44555666.txt", "last-nsu 44555666000181 x\n");
    {
        UsageRecord record(data.path(), "producao", kHeadOffice, clock);
        EXPECT_EQ(record.LastNsu(), 4321u);
        EXPECT_THAT(record.notice(), HasSubstr("está danificado na linha 1"));
        EXPECT_THAT(record.notice(), HasSubstr("producao-44555666.previous.txt"));
        record.Save();
    }
    EXPECT_TRUE(UsageRecord(data.path(), "producao", kHeadOffice, clock).notice().empty());

    // What it holds is the company's business: its owner alone reads it, whatever the umask.
    const mode_t umask = ::umask(0);
    UsageRecord(data.path(), "producao", kHeadOffice, clock).Save();
    ::umask(umask);
    for (const char* name :
         {"producao-44555666.txt", "producao-44555666.previous.txt", "producao-44555666.lock"}) {
        struct stat status {};
        ASSERT_EQ(::stat((data / "dfe" / name).c_str(), &status), 0) << name;
        EXPECT_EQ(status.st_mode & 0777, 0600u) << name;
    }
}

TEST(UsageRecord, AMomentMoreThanAnHourAheadIsDamageNotAYearsBlock) {
    const std::string ahead = std::to_string(1'800'000'000 + 365 * 24 * 3600);
    const std::filesystem::path file = std::filesystem::path("dfe") / "producao-44555666.txt";
    const std::filesystem::path previous =
        std::filesystem::path("dfe") / "producao-44555666.previous.txt";
    {
        // Only the record went wrong: its previous state serves.
        test_support::TemporaryDirectory data;
        std::filesystem::create_directories(data / "dfe");
        test_support::WriteFile(data / previous, "last-nsu 44555666000181 40\n");
        test_support::WriteFile(data / file,
                                "last-nsu 44555666000181 41\nblocked-until " + ahead + "\n");
        UsageRecord record(data.path(), "producao", kHeadOffice, clock);
        EXPECT_EQ(record.LastNsu(), 40u);
        EXPECT_FALSE(record.limits().HoldFor(RequestKind::distNsu, clock.Now()));
        EXPECT_THAT(record.notice(), HasSubstr("está danificado na linha 2"));
        EXPECT_THAT(record.notice(), HasSubstr("foi usado no lugar dele"));
    }
    {
        // A run under a clock a year ahead wrote both: the holds end within an hour, and the
        // NSUs, which the service gave, stay.
        test_support::TemporaryDirectory data;
        std::filesystem::create_directories(data / "dfe");
        const std::string written = "last-nsu 44555666000181 41\nblocked-until " + ahead +
                                    "\nevents-blocked-until " + ahead + "\nkey-query " + ahead +
                                    "\n";
        test_support::WriteFile(data / file, written);
        test_support::WriteFile(data / previous, written);
        UsageRecord record(data.path(), "producao", kHeadOffice, clock);
        EXPECT_EQ(record.LastNsu(), 41u);
        EXPECT_THAT(record.notice(), HasSubstr("mais de uma hora à frente do relógio"));
        const UseLimits::State& state = record.limits().state();
        EXPECT_EQ(state.blockedUntil, clock.Now() + 1h);
        EXPECT_EQ(state.eventsBlockedUntil, clock.Now() + 1h);
        EXPECT_EQ(state.keyQueries, std::vector<Time>{clock.Now()});
        EXPECT_FALSE(record.limits().HoldFor(RequestKind::distNsu, clock.Now() + 1h));
    }
}

TEST(UsageRecord, KeepsTheEventHoldAndTheFinalRefusalsOfTheCiencia) {
    test_support::TemporaryDirectory data;
    const std::string key = "35150761024385000111550010000001011102030405";
    {
        UsageRecord record(data.path(), "producao", kHeadOffice, clock);
        record.limits().RecordAnswer(RequestKind::event, 656, false, clock.Now());
        record.KeepCienciaRefusal(key, 650);
        record.Save();
    }
    {
        // The hold is the CNPJ base's, the refusal its recipient's.
        UsageRecord branch(data.path(), "producao", kBranch, clock);
        EXPECT_FALSE(branch.CienciaRefusal(key));
        EXPECT_TRUE(branch.limits().HoldFor(RequestKind::event, clock.Now() + 59min));
        EXPECT_FALSE(branch.limits().HoldFor(RequestKind::distNsu, clock.Now() + 59min));
    }
    EXPECT_EQ(UsageRecord(data.path(), "producao", kHeadOffice, clock).CienciaRefusal(key), 650);
}

TEST(UsageRecord, ASecondRunForTheSameBaseWaitsForTheFirst) {
    test_support::TemporaryDirectory data;
    auto first = std::make_unique<UsageRecord>(data.path(), "producao", kHeadOffice, clock);
    first->SetLastNsu(7);
    first->Save();

    std::promise<void> waiting;
    std::atomic<bool> opened = false;
    std::thread second([&] {
        UsageRecord record(data.path(), "producao", kBranch, clock, [&] { waiting.set_value(); });
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
    auto first = std::make_unique<UsageRecord>(data.path(), "producao", kHeadOffice, clock);
    const auto giveUp = [] { throw StateError("ocupado"); };
    EXPECT_THROW(UsageRecord(data.path(), "producao", kBranch, clock, giveUp), StateError);
    first.reset();
    // The run that gave up holds nothing: the next one needs no wait.
    UsageRecord next(data.path(), "producao", kBranch, clock, giveUp);
    EXPECT_FALSE(next.LastNsu());
}

}  // namespace
}  // namespace dfe
