#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/convert_arguments.h"

namespace tools {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(ParseConvertArguments, TakesTheFolderAndThePages) {
    struct Case {
        std::vector<std::string> arguments;
        std::string folder;
        std::vector<std::string> pages;
    };
    const Case cases[] = {
        {{"a.txt"}, ".", {"a.txt"}},
        {{"-o", "out", "a.txt", "b.txt"}, "out", {"a.txt", "b.txt"}},
        {{"a.txt", "-o", "out"}, "out", {"a.txt"}},
        {{"-oout", "a.txt"}, "out", {"a.txt"}},
        {{"--output", "out dir", "a.txt"}, "out dir", {"a.txt"}},
        {{"--output=out", "a.txt"}, "out", {"a.txt"}},
        {{"-o", "-x", "a.txt"}, "-x", {"a.txt"}},
        {{"--", "-o", "--help"}, ".", {"-o", "--help"}},
        {{"", "a.txt"}, ".", {"", "a.txt"}},
    };
    for (const Case& c : cases) {
        const ConvertArguments parsed = ParseConvertArguments(c.arguments);
        EXPECT_EQ(parsed.outputFolder, c.folder);
        EXPECT_EQ(parsed.pages, c.pages);
        EXPECT_FALSE(parsed.help);
        EXPECT_FALSE(parsed.lines);
    }
    EXPECT_TRUE(ParseConvertArguments({"a.html", "--lines"}).lines);
    EXPECT_EQ(ParseConvertArguments({"--", "--lines"}).pages, std::vector<std::string>{"--lines"});
}

TEST(ParseConvertArguments, HelpWinsOverEverythingBeforeTheEndOfOptions) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"-x", "--help"}, {"a", "-h"}}) {
        EXPECT_TRUE(ParseConvertArguments(arguments).help);
    }
}

TEST(ParseConvertArguments, RejectsCommandLinesItCannotRun) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{}, "nenhuma página"},
        {{"-o", "out"}, "nenhuma página"},
        {{"a.txt", "-o"}, "falta a pasta depois de -o"},
        {{"--output"}, "falta a pasta depois de --output"},
        {{"-o", "", "a.txt"}, "vazia"},
        {{"--output=", "a.txt"}, "vazia"},
        {{"-o", "x", "-o", "y", "a.txt"}, "mais de uma vez"},
        {{"-v", "a.txt"}, "opção desconhecida: -v"},
        {{"-", "a.txt"}, "opção desconhecida: -"},
    };
    for (const Case& c : cases) {
        try {
            ParseConvertArguments(c.arguments);
            ADD_FAILURE() << "accepted: " << ::testing::PrintToString(c.arguments);
        } catch (const UsageError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message));
        }
    }
}

TEST(ConvertHelp, ExplainsUsageFailuresAndExitStatus) {
    EXPECT_THAT(std::string(kConvertHelp), HasSubstr(std::string(kConvertUsage)));
    EXPECT_THAT(std::string(kConvertHelp), HasSubstr("Erro ao importar a NF-e."));
    EXPECT_THAT(std::string(kConvertHelp), HasSubstr("Código de saída"));
}

}  // namespace
}  // namespace tools
