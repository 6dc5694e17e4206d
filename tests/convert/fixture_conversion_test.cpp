#include <gtest/gtest.h>

#include <string>

#include "convert/convert_page_text.h"
#include "convert/page_lines_file.h"
#include "tests/support/file_contents.h"
#include "tests/support/golden_file.h"
#include "tests/support/temporary_directory.h"

namespace convert {
namespace {

using test_support::FixturePath;
using test_support::ReadFile;

// Hand-made pages converted whole, byte for byte.
TEST(ConvertPageTextFixtures, PagesGiveTheirGoldenFiles) {
    struct Case {
        const char* page;
        const char* key;
    };
    const Case cases[] = {
        {"regime_normal", "35150312345678000195550010000012341000012340"},
        {"simples_nacional", "31150444455566000183550020000005671876543218"},
        {"vehicle", "41150555667788000186550010000987651112233441"},
        {"medicines", "33150633445566000186550030000043211556677889"},
        {"missing_sections", "43150722334455000186550010000000771998877660"},
    };
    for (const Case& c : cases) {
        const std::string name = c.page;
        test_support::TemporaryDirectory folder;
        ConversionSettings settings;
        settings.outputFolder = folder.path().string();
        const std::filesystem::path written =
            ConvertPageText(ReadPageLinesFile(FixturePath("convert", name + ".txt")), settings);
        EXPECT_EQ(written, folder / (std::string(c.key) + "-nfe.xml")) << name;

        const std::string actual = ReadFile(written);
        const std::filesystem::path golden = FixturePath("convert", name + ".xml");
        EXPECT_TRUE(test_support::MatchesGoldenXml(actual, golden));
    }
}

TEST(ConvertPageTextFixtures, APageInTheOldLayoutStops) {
    test_support::TemporaryDirectory folder;
    ConversionSettings settings;
    settings.outputFolder = folder.path().string();
    int messages = 0;
    settings.showMessage = [&](const std::string&) { ++messages; };
    EXPECT_THROW(
        ConvertPageText(ReadPageLinesFile(FixturePath("convert", "old_layout.txt")), settings),
        OldLayoutAborted);
    EXPECT_EQ(messages, 1);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

}  // namespace
}  // namespace convert
