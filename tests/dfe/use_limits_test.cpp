#include "dfe/use_limits.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dfe/distribution_answer.h"

namespace dfe {
namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

const Time kStart{std::chrono::seconds(1'800'000'000)};

TEST(UseLimits, AllowsTwentyKeyQueriesInAnyHour) {
    UseLimits limits;
    for (int i = 0; i < 20; ++i) {
        ASSERT_FALSE(limits.HoldFor(RequestKind::consChNFe, kStart + i * 60s)) << i;
        limits.RecordSent(RequestKind::consChNFe, kStart + i * 60s);
    }
    const std::optional<Hold> hold = limits.HoldFor(RequestKind::consChNFe, kStart + 20min);
    ASSERT_TRUE(hold);
    EXPECT_EQ(hold->until, kStart + 1h);
    EXPECT_THAT(hold->reason, HasSubstr("20 consultas por chave"));
    // The limit is on key queries alone.
    EXPECT_FALSE(limits.HoldFor(RequestKind::distNsu, kStart + 20min));

    // The hour slides: when the first query leaves it, one more may go.
    EXPECT_FALSE(limits.HoldFor(RequestKind::consChNFe, kStart + 1h));
    limits.RecordSent(RequestKind::consChNFe, kStart + 1h);
    EXPECT_EQ(limits.HoldFor(RequestKind::consChNFe, kStart + 1h)->until, kStart + 1h + 60s);

    // A query that never reached the service gives its place back.
    limits.WithdrawSent(RequestKind::consChNFe, kStart + 1h);
    EXPECT_FALSE(limits.HoldFor(RequestKind::consChNFe, kStart + 1h));
}

TEST(UseLimits, AfterNothingNewNoDistNsuForAnHour) {
    for (const bool byStatus : {true, false}) {
        UseLimits limits;
        limits.RecordSent(RequestKind::distNsu, kStart);
        limits.RecordAnswer(RequestKind::distNsu, byStatus ? kNoDocuments : kDocumentsFound,
                            !byStatus, kStart + 2s);
        const std::optional<Hold> hold = limits.HoldFor(RequestKind::distNsu, kStart + 30min);
        ASSERT_TRUE(hold);
        EXPECT_EQ(hold->until, kStart + 2s + 1h);
        EXPECT_FALSE(limits.HoldFor(RequestKind::consChNFe, kStart + 30min));
        EXPECT_FALSE(limits.HoldFor(RequestKind::distNsu, kStart + 2s + 1h));
    }

    UseLimits moreToCome;
    moreToCome.RecordAnswer(RequestKind::distNsu, kDocumentsFound, false, kStart);
    EXPECT_FALSE(moreToCome.HoldFor(RequestKind::distNsu, kStart + 1s));
}

TEST(UseLimits, AfterExcessiveUseNothingForAnHour) {
    UseLimits limits;
    limits.RecordAnswer(RequestKind::consChNFe, kExcessiveUse, false, kStart);
    for (const RequestKind kind :
         {RequestKind::consChNFe, RequestKind::consNsu, RequestKind::distNsu}) {
        const std::optional<Hold> hold = limits.HoldFor(kind, kStart + 59min);
        ASSERT_TRUE(hold);
        EXPECT_EQ(hold->until, kStart + 1h);
        EXPECT_THAT(hold->reason, HasSubstr("656"));
        EXPECT_FALSE(limits.HoldFor(kind, kStart + 1h));
    }
    const UseLimitReached refusal(*limits.HoldFor(RequestKind::distNsu, kStart));
    EXPECT_THAT(refusal.what(), HasSubstr("Nada foi enviado"));
}

}  // namespace
}  // namespace dfe
