#include "tools/dfe/terminal_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>

namespace tools {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// A pseudo-terminal whose far end plays the person: it types only once the question is shown,
// which is after the echo went off when it goes off.
class Terminal {
public:
    Terminal() { EXPECT_EQ(openpty(&master_, &terminal_, name_, nullptr, nullptr), 0); }
    ~Terminal() {
        close(terminal_);
        close(master_);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    const char* name() const { return name_; }
    int device() const { return terminal_; }

    // Waits for prompt, types input and returns everything the terminal showed.
    template <typename Result>
    std::string Answer(std::future<Result>& reader, const std::string& prompt,
                       const std::string& input) {
        std::string shown;
        char buffer[256];
        while (shown.find(prompt) == std::string::npos) {
            const ssize_t got = read(master_, buffer, sizeof buffer);
            if (got <= 0) {
                ADD_FAILURE() << "the prompt never came";
                return shown;
            }
            shown.append(buffer, static_cast<std::size_t>(got));
        }
        EXPECT_EQ(write(master_, input.data(), input.size()), static_cast<ssize_t>(input.size()));
        EXPECT_EQ(reader.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        pollfd ready{master_, POLLIN, 0};
        for (ssize_t got;
             poll(&ready, 1, 100) > 0 && (got = read(master_, buffer, sizeof buffer)) > 0;) {
            shown.append(buffer, static_cast<std::size_t>(got));
        }
        return shown;
    }

private:
    int master_ = -1;
    int terminal_ = -1;
    char name_[256] = {};
};

TEST(PromptOnTerminal, ReadsALineWithoutShowingIt) {
    Terminal terminal;
    auto typed = std::async(std::launch::async, [&] {
        return PromptOnTerminal("Senha do certificado: ", terminal.name());
    });
    const std::string shown = terminal.Answer(typed, "Senha do certificado: ", "segredo\n");
    const std::optional<dfe::Secret> password = typed.get();
    ASSERT_TRUE(password);
    EXPECT_EQ(password->view(), "segredo");
    EXPECT_THAT(shown, Not(HasSubstr("segredo")));

    // The echo is back afterwards.
    termios settings{};
    tcgetattr(terminal.device(), &settings);
    EXPECT_NE(settings.c_lflag & ECHO, 0u);

    EXPECT_FALSE(PromptOnTerminal("Senha: ", "/nonexistent/tty"));
}

TEST(TerminalConfirmation, OnlyAWholeLineSayingYesIsYes) {
    struct Case {
        std::string typed;
        bool yes;
    };
    const Case cases[] = {
        {"s\n", true}, {"  SIM \r\n", true}, {"sim, claro\n", false},
        {"\n", false}, {"s\x04\x04", false},  // the input ends before the line does
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Terminal terminal;
        const Confirmation confirmation = TerminalConfirmation(terminal.name());
        EXPECT_TRUE(confirmation.available());
        auto answer = std::async(std::launch::async,
                                 [&] { return confirmation.ask("Registrar a Ciência? "); });
        const std::string shown = terminal.Answer(answer, "Registrar a Ciência? ", c.typed);
        EXPECT_EQ(answer.get(), c.yes);
        // The answer is shown as it is typed.
        EXPECT_THAT(shown, HasSubstr(c.typed.substr(0, c.typed.find_first_of("\r\n\x04"))));
    }
    const Confirmation nowhere = TerminalConfirmation("/nonexistent/tty");
    EXPECT_FALSE(nowhere.available());
    EXPECT_FALSE(nowhere.ask("Registrar? "));
}

}  // namespace
}  // namespace tools
