#include "files/atomic_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace files {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// What the writing asked of the system, in order: "sync NAME" (the file or folder the
// descriptor is open on) and "rename".
std::vector<std::string> calls;

int RecordedSync(int descriptor) {
    char target[4096] = {};
    const ssize_t length = ::readlink(("/proc/self/fd/" + std::to_string(descriptor)).c_str(),
                                      target, sizeof target - 1);
    const std::string path(target, length > 0 ? static_cast<std::size_t>(length) : 0);
    calls.push_back("sync " + std::filesystem::path(path).filename().string());
    return ::fsync(descriptor);
}

int RecordedRename(const char* from, const char* to) {
    calls.push_back("rename");
    return std::rename(from, to);
}

TEST(WriteFileAtomically, SyncsTheDataBeforeTheRenameAndTheFolderAfterIt) {
    test_support::TemporaryDirectory folder;
    std::filesystem::create_directories(folder / "notas");
    calls.clear();
    WriteFileAtomically(folder / "notas" / "a.xml", "<a/>", Readers::shared,
                        {RecordedSync, RecordedRename});
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_THAT(calls[0], HasSubstr(".a.xml."));  // the new file under its temporary name
    EXPECT_THAT(std::vector(calls.begin() + 1, calls.end()), ElementsAre("rename", "sync notas"));
    EXPECT_EQ(test_support::ReadFile(folder / "notas" / "a.xml"), "<a/>");
}

TEST(WriteFileAtomically, AFailureSaysWhyInPortugueseAndLeavesNothingBehind) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "arquivo", "x");
    std::filesystem::create_directories(folder / "pasta");
    const struct {
        std::filesystem::path path;
        std::string reason;
    } cases[] = {
        {folder / "faltando" / "a.xml", "arquivo ou pasta inexistente"},
        {folder / "arquivo" / "a.xml", "uma parte do caminho não é uma pasta"},
        {folder / "pasta", "é uma pasta, não um arquivo"},
    };
    for (const auto& c : cases) {
        try {
            WriteFileAtomically(c.path, "<a/>");
            ADD_FAILURE() << c.path;
        } catch (const FileError& error) {
            EXPECT_THAT(error.what(), HasSubstr("\"" + c.path.string() + "\": " + c.reason + "."));
        }
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
    EXPECT_TRUE(std::filesystem::is_empty(folder / "pasta"));
}

}  // namespace
}  // namespace files
