#include "app/command_line.h"

#include <gtest/gtest.h>

#include "vellora/version.h"

namespace app {
namespace {

const std::string kKey = "35191200000000000000550010000000011000000010";  // 44 digits

TEST(CommandLine, KeyMustBeExactly44CharactersAfterTrimming) {
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string> key;
    };
    const Case cases[] = {
        {{"vellora", "x", kKey}, kKey},
        {{"vellora", "x", " \t" + kKey + "  \n"}, kKey},
        {{"vellora", "x", kKey.substr(1)}, std::nullopt},
        {{"vellora", "x", kKey + "1"}, std::nullopt},
        {{"vellora", "x", "   "}, std::nullopt},
        {{"vellora", "x"}, std::nullopt},
        {{"vellora"}, std::nullopt},
        // Characters, not bytes: 43 digits and a two-byte letter.
        {{"vellora", "x", kKey.substr(1) + "é"}, kKey.substr(1) + "é"},
        {{"vellora", kKey}, std::nullopt},  // argument 1 is not the key
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCommandLine(c.arguments).key, c.key)
            << (c.arguments.size() > 2 ? c.arguments[2] : "(none)");
    }
}

TEST(CommandLine, OutputFolderIsArgument3Trimmed) {
    EXPECT_EQ(ParseCommandLine({"vellora", "x", kKey, "  /tmp/notas fiscais \t"}).outputFolder,
              "/tmp/notas fiscais");
    EXPECT_EQ(ParseCommandLine({"vellora", "x", kKey, "C:\\xml\\"}).outputFolder, "C:\\xml\\");
    EXPECT_EQ(ParseCommandLine({"vellora", "x", kKey, "   "}).outputFolder, "");
    EXPECT_EQ(ParseCommandLine({"vellora", "x", kKey}).outputFolder, "");
}

TEST(CommandLine, HelpAndVersionAnswerOnlyWhenGivenAlone) {
    const auto help = InformationAsked({"vellora", "--help"});
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->starts_with("Uso: vellora QUALQUER CHAVE [PASTA]\n"));
    EXPECT_EQ(InformationAsked({"vellora", "-h"}), help);
    EXPECT_EQ(InformationAsked({"vellora", "--version"}),
              "vellora " + std::string(kVelloraVersion) + "\n");
    // A caller passes anything as argument 1, then the key: that is a start, never a question.
    EXPECT_FALSE(InformationAsked({"vellora", "--help", kKey}));
    EXPECT_FALSE(InformationAsked({"vellora", "x", kKey}));
    EXPECT_FALSE(InformationAsked({"vellora"}));
}

}  // namespace
}  // namespace app
