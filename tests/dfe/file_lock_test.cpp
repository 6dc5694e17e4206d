#include "dfe/file_lock.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/file.h>

#include <cerrno>

#include "dfe/error.h"
#include "tests/support/temporary_directory.h"

namespace dfe {
namespace {

using ::testing::HasSubstr;

// A file system without locks (some network shares).
int NoLocks(int, int) {
    errno = ENOLCK;
    return -1;
}

TEST(FileLock, AFileSystemWithoutLocksStopsTheRunInsteadOfLookingBusy) {
    test_support::TemporaryDirectory folder;
    bool waited = false;
    try {
        FileLock lock(
            folder / "producao-44555666.lock", [&] { waited = true; }, NoLocks);
        ADD_FAILURE() << "a run went on without a lock";
    } catch (const StateError& error) {
        EXPECT_THAT(error.what(),
                    HasSubstr("Não foi possível travar o registro de uso na pasta \"" +
                              folder.path().string() +
                              "\": o sistema de arquivos "
                              "não oferece travas."));
        EXPECT_THAT(error.what(), HasSubstr("defina XDG_DATA_HOME"));
    }
    EXPECT_FALSE(waited);
}

}  // namespace
}  // namespace dfe
