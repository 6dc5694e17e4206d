#include "tools/dfe/certificate_password.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <future>

#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace tools {
namespace {

using ::testing::HasSubstr;

std::string Password(const std::string& file, const char* variable, const PasswordPrompt& prompt) {
    return std::string(CertificatePassword(file, variable, prompt, "A1.pfx").view());
}

TEST(CertificatePassword, TakesTheFileThenTheVariableThenThePrompt) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "senha.txt", "s3nha com espaço\r\nsegunda linha\n");
    test_support::WriteFile(folder / "vazia.txt", "");
    std::string asked;
    const PasswordPrompt prompt = [&](const std::string& text) {
        asked = text;
        return std::optional<dfe::Secret>(dfe::Secret("digitada"));
    };
    EXPECT_EQ(Password((folder / "senha.txt").string(), "variavel", prompt), "s3nha com espaço");
    EXPECT_EQ(Password((folder / "vazia.txt").string(), "variavel", prompt), "");
    EXPECT_EQ(Password("", "variavel", prompt), "variavel");
    EXPECT_EQ(asked, "");
    EXPECT_EQ(Password("", nullptr, prompt), "digitada");
    asked.clear();
    EXPECT_EQ(Password("", "", prompt), "digitada");
    EXPECT_EQ(asked, "Senha do certificado A1.pfx: ");

    const PasswordPrompt noTerminal = [](const std::string&) { return std::nullopt; };
    try {
        Password("", nullptr, noTerminal);
        ADD_FAILURE() << "a password came from nowhere";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), HasSubstr("VELLORA_CERT_PASSWORD"));
    }
    EXPECT_THROW(Password((folder / "none.txt").string(), "variavel", prompt), std::runtime_error);
}

TEST(PromptOnTerminal, ReadsALineWithoutShowingIt) {
    int master = -1;
    int terminal = -1;
    char name[256];
    ASSERT_EQ(openpty(&master, &terminal, name, nullptr, nullptr), 0);
    auto typed = std::async(std::launch::async,
                            [&] { return PromptOnTerminal("Senha do certificado: ", name); });

    // Types only once the prompt is shown, which is after the echo went off.
    std::string shown;
    char buffer[256];
    while (shown.find("Senha do certificado: ") == std::string::npos) {
        const ssize_t got = read(master, buffer, sizeof buffer);
        ASSERT_GT(got, 0);
        shown.append(buffer, static_cast<std::size_t>(got));
    }
    ASSERT_EQ(write(master, "segredo\n", 8), 8);
    ASSERT_EQ(typed.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    pollfd ready{master, POLLIN, 0};
    for (ssize_t got;
         poll(&ready, 1, 100) > 0 && (got = read(master, buffer, sizeof buffer)) > 0;) {
        shown.append(buffer, static_cast<std::size_t>(got));
    }
    const std::optional<dfe::Secret> password = typed.get();
    ASSERT_TRUE(password);
    EXPECT_EQ(password->view(), "segredo");
    EXPECT_THAT(shown, ::testing::Not(HasSubstr("segredo")));

    // The echo is back afterwards.
    termios settings{};
    tcgetattr(terminal, &settings);
    EXPECT_NE(settings.c_lflag & ECHO, 0u);
    close(terminal);
    close(master);

    EXPECT_FALSE(PromptOnTerminal("Senha: ", "/nonexistent/tty"));
}

}  // namespace
}  // namespace tools
