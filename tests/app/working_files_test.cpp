#include "app/working_files.h"

#include <gtest/gtest.h>

#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using test_support::TemporaryDirectory;
using test_support::WriteFile;

TEST(WorkingFiles, CleanUpRemovesOnlyAnEmptyXmlFolder) {
    TemporaryDirectory empty;
    fs::create_directory(empty / "xml");
    for (const char* name : {"resulta.txt", "resulta2.txt", "captcha.png", "cfg.dclrc"}) {
        WriteFile(empty / name, "x");
    }
    CleanUpWorkingFiles(empty.path());
    EXPECT_FALSE(fs::exists(empty / "xml"));
    EXPECT_FALSE(fs::exists(empty / "resulta.txt"));
    EXPECT_FALSE(fs::exists(empty / "resulta2.txt"));
    EXPECT_FALSE(fs::exists(empty / "captcha.png"));
    EXPECT_TRUE(fs::exists(empty / "cfg.dclrc"));

    TemporaryDirectory full;
    fs::create_directory(full / "xml");
    WriteFile(full / "xml" / "KEY-nfe.xml", "<nfeProc/>");
    CleanUpWorkingFiles(full.path());  // nothing else there: no failure
    EXPECT_TRUE(fs::exists(full / "xml" / "KEY-nfe.xml"));
}

TEST(WorkingFiles, OutputFolderRule) {
    TemporaryDirectory dir;
    EXPECT_EQ(PrepareOutputFolder("", dir.path()), dir / "xml");
    EXPECT_TRUE(fs::is_directory(dir / "xml"));
    const auto given = (dir / "a" / "b c").string();
    EXPECT_EQ(PrepareOutputFolder(given, dir.path()), dir / "a" / "b c");
    EXPECT_TRUE(fs::is_directory(dir / "a" / "b c"));
}

}  // namespace
}  // namespace app
