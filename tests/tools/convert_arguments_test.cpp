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
        {{"a.txt", "-o"}, "falta a pasta de saída depois de -o"},
        {{"--output"}, "falta a pasta de saída depois de --output"},
        {{"-o", "", "a.txt"}, "a pasta de saída está em branco"},
        {{"--output=", "a.txt"}, "a pasta de saída está em branco"},
        {{"-o", "x", "-o", "y", "a.txt"}, "--output foi dada mais de uma vez"},
        {{"-v", "a.txt"}, "opção desconhecida: -v"},
        {{"-", "a.txt"}, "opção desconhecida: -"},
        {{"--lines=sim", "a.txt"}, "--lines não leva valor"},
        {{"-lx", "a.txt"}, "opção desconhecida: -lx"},
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
    const std::string help = ConvertHelp();
    EXPECT_THAT(help, HasSubstr(std::string(kConvertUsage)));
    EXPECT_THAT(help, HasSubstr("Erro ao importar a NF-e."));
    EXPECT_THAT(help, HasSubstr("Código de saída"));
    // Each option of the table has its line, the explanations aligned.
    EXPECT_THAT(help, HasSubstr("\n  -o, --output PASTA pasta que recebe os arquivos"));
    EXPECT_THAT(help, HasSubstr("\n  --lines            em vez de converter"));
    EXPECT_THAT(help, HasSubstr("\n                     pasta atual); um arquivo"));
    EXPECT_TRUE(ParseConvertArguments({"a.txt", "--version"}).version);
}

}  // namespace
}  // namespace tools
