#include "sample/portal/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace sample {
namespace {

using testing::HasSubstr;

Options Parse(std::vector<std::string_view> arguments) {
    return ParseCommandLine(arguments);
}

TEST(CommandLine, ReadsEveryOption) {
    const Options defaults = Parse({});
    EXPECT_EQ(defaults.port, 8080);
    EXPECT_EQ(defaults.settings.fault, FaultMode::none);
    EXPECT_EQ(defaults.settings.slowDelay.count(), 5);

    const Options options = Parse({"--port", "0", "--fault", "download-404", "--test-captcha",
                                   "ab12", "--result-viewer", "--slow-seconds", "1", "--list"});
    EXPECT_EQ(options.port, 0);
    EXPECT_EQ(options.settings.fault, FaultMode::downloadMissing);
    EXPECT_EQ(options.settings.testCaptcha, "ab12");
    EXPECT_TRUE(options.settings.landOnResultViewer);
    EXPECT_EQ(options.settings.slowDelay.count(), 1);
    EXPECT_TRUE(options.list);
    EXPECT_FALSE(options.help);
    EXPECT_TRUE(Parse({"--help"}).help);
}

TEST(CommandLine, RefusesWhatItDoesNotUnderstand) {
    const std::vector<std::vector<std::string_view>> wrong = {
        {"--port"},
        {"--port", "65536"},
        {"--port", "-1"},
        {"--port", "80x"},
        {"--fault", "slowly"},
        {"--test-captcha", "ABCDEFG"},
        {"--test-captcha", "A B"},
        {"--slow-seconds", "x"},
        {"--verbose"},
        {"8080"},
    };
    for (const auto& arguments : wrong) {
        EXPECT_THROW(Parse(arguments), std::invalid_argument) << arguments[0];
    }
}

TEST(CommandLine, HelpNamesEveryFaultModeAndListShowsEveryKey) {
    const std::string help = HelpText();
    for (const FaultModeInfo& info : FaultModes()) {
        EXPECT_THAT(help, HasSubstr(std::string(info.name) + " ")) << info.name;
        EXPECT_EQ(FaultModeNamed(info.name), info.mode);
    }

    const Catalogue catalogue({{"111", "First", "3.10", false, FaultMode::none, {}, {}},
                               {"222", "Second", "2.00", false, FaultMode::none, {}, {}}});
    EXPECT_EQ(ListText(catalogue), "111  3.10  First\n222  2.00  Second\n");
}

}  // namespace
}  // namespace sample
