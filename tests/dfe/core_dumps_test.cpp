#include "dfe/core_dumps.h"

#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace dfe {
namespace {

TEST(ForbidCoreDumps, LeavesNoCoreAndNoDumpableProcess) {
    ASSERT_TRUE(ForbidCoreDumps());
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);
    rlimit core{};
    ASSERT_EQ(::getrlimit(RLIMIT_CORE, &core), 0);
    EXPECT_EQ(core.rlim_cur, 0u);
    EXPECT_EQ(core.rlim_max, 0u);
}

}  // namespace
}  // namespace dfe
