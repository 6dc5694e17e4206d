#include "tools/dfe/key_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace tools {
namespace {

using ::testing::ElementsAre;

constexpr const char* kKey = "35150761024385000111550010000001011102030405";
constexpr const char* kOtherKey = "41150808765432000103550010000002021203040502";

TEST(CollectKeys, TakesTheCommandLineThenTheFileEachKeyOnce) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "chaves.txt",
                            "# chaves do mês\r\n\r\n  " + std::string(kOtherKey) +
                                "  # fornecedor B\r\n"
                                "3515 0761 0243 8500 0111 5500 1000 0001 0111 0203 0405\n"
                                "35150761024385000111550010000001011102030406\n"
                                "NFe" +
                                kKey + "\n");
    const KeyList list =
        CollectKeys({kKey, "chave", "../" + std::string(kKey)}, (folder / "chaves.txt").string());
    EXPECT_THAT(list.keys, ElementsAre(kKey, kOtherKey));
    EXPECT_THAT(list.invalid, ElementsAre("chave", "../" + std::string(kKey),
                                          "35150761024385000111550010000001011102030406",
                                          "NFe" + std::string(kKey)));
    EXPECT_THROW(CollectKeys({}, (folder / "none.txt").string()), std::runtime_error);
}

}  // namespace
}  // namespace tools
