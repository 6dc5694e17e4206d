#include "app/download_target.h"

#include <gtest/gtest.h>

#include "tests/support/temporary_directory.h"

namespace app {
namespace {

namespace fs = std::filesystem;

const std::string kKey = "35150761024385000111550010000001011102030405";

TEST(DownloadTargetTest, KeyDigitsAndOrigXmlInTheOutputFolder) {
    test_support::TemporaryDirectory dir;
    const auto out = (dir / "a" / "b").string();
    EXPECT_EQ(DownloadTarget(" " + kKey + "\t", out, dir.path()),
              dir / "a" / "b" / (kKey + "-orig.xml"));
    EXPECT_TRUE(fs::is_directory(dir / "a" / "b"));
    // Without an output folder: "xml" beside the executable, created when missing.
    EXPECT_EQ(DownloadTarget(kKey, "", dir.path()), dir / "xml" / (kKey + "-orig.xml"));
    EXPECT_TRUE(fs::is_directory(dir / "xml"));
    // The issuer's CNPJ may hold letters.
    const std::string letters = "35260912ABC34501DE35550010000012341123456788";
    EXPECT_EQ(DownloadTarget(letters, out, dir.path()), dir / "a" / "b" / (letters + "-orig.xml"));
}

TEST(DownloadTargetTest, AnythingButOneValidKeyIsRefusedAndCreatesNothing) {
    test_support::TemporaryDirectory dir;
    const std::string refused[] = {
        "../../" + kKey,
        kKey.substr(0, 20) + "/../" + kKey.substr(20),
        kKey.substr(0, 43) + "6",  // wrong check digit
        kKey.substr(1),
        "",
        // Letters are the key box's, once the program has put them in capitals.
        "35260912abc34501de35550010000012341123456788",
    };
    for (const auto& text : refused) {
        EXPECT_THROW(DownloadTarget(text, (dir / "out").string(), dir.path()), InvalidDownloadKey)
            << text;
    }
    EXPECT_FALSE(fs::exists(dir / "out"));
    EXPECT_STREQ(InvalidDownloadKey().what(), "Chave incorreta. Verifique a chave informada.");
}

}  // namespace
}  // namespace app
