#include "tools/option_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tools {
namespace {

using ::testing::HasSubstr;

constexpr Option kTable[] = {
    {.longName = "--de", .value = "DIA", .help = "o primeiro dia", .commands = "notas"},
    {.longName = "--uf", .value = "CÓDIGO", .help = "a UF", .commands = "chave novos"},
    {.longName = "--help", .shortName = "-h", .help = "mostra esta ajuda"},
};

TEST(OptionTable, ACommandTakesOnlyTheOptionsThatNameItWordForWord) {
    struct Case {
        std::string_view command;
        std::vector<std::string> arguments;
        bool taken;
    };
    const Case cases[] = {
        {"notas", {"--de", "2024-01-01"}, true}, {"nota", {"--de", "2024-01-01"}, false},
        {"nota", {"--de=2024-01-01"}, false},    {"otas", {"--de", "2024-01-01"}, false},
        {"chave", {"--uf", "SP"}, true},         {"novos", {"--uf", "SP"}, true},
        {"chave novos", {"--uf", "SP"}, false},  {"ave", {"--uf", "SP"}, false},
        {"notas", {"--uf", "SP"}, false},        {"qualquer", {"-h"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.arguments.front());
        if (c.taken) {
            EXPECT_NO_THROW(ParseOptions(kTable, c.arguments, c.command));
            continue;
        }
        try {
            ParseOptions(kTable, c.arguments, c.command);
            ADD_FAILURE() << "accepted";
        } catch (const UsageError& error) {
            EXPECT_THAT(error.what(),
                        HasSubstr("não se aplica ao comando " + std::string(c.command)));
        }
    }
    // Without a command, the table takes every option it holds.
    EXPECT_EQ(ParseOptions(kTable, {"--de", "x", "--uf", "y"}).Value("--uf"), "y");
}

TEST(OptionTable, AlignsTheExplanationsByCharactersNotBytes) {
    EXPECT_EQ(OptionLines(kTable, 16),
              "  --de DIA      o primeiro dia\n"
              "  --uf CÓDIGO   a UF\n"
              "  -h, --help    mostra esta ajuda\n");
    EXPECT_EQ(OptionLines(std::span(kTable).subspan(1, 1), 10),
              "  --uf CÓDIGO\n"
              "          a UF\n");
}

}  // namespace
}  // namespace tools
