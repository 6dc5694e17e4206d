#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>

#include "nfe/access_key.h"
#include "sample/portal/portal_addresses.h"

extern char** environ;

namespace sample {
namespace {

struct Output {
    int status = -1;
    std::string text;  // standard output and standard error together
};

Output RunProgram(const std::string& arguments) {
    const std::string command = std::string(SAMPLE_PORTAL_PROGRAM) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    Output output;
    char buffer[4096];
    for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.text.append(buffer, read);
    }
    output.status = WEXITSTATUS(pclose(pipe));
    return output;
}

TEST(Program, ListsTheSampleKeysAndRefusesUnknownOptions) {
    const Output list = RunProgram("--list");
    EXPECT_EQ(list.status, 0);
    std::istringstream lines(list.text);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_TRUE(nfe::IsValidAccessKey(line.substr(0, 44))) << line;
        EXPECT_EQ(line.substr(44, 2), "  ") << line;
    }
    EXPECT_EQ(count, 21);

    const Output wrong = RunProgram("--colour");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_THAT(wrong.text, testing::HasSubstr("unknown option \"--colour\""));
}

TEST(Program, PrintsItsFreePortFirstAndServesThere) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char program[] = SAMPLE_PORTAL_PROGRAM;
    char port[] = "--port";
    char zero[] = "0";
    char* argv[] = {program, port, zero, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, program, &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);

    // The first line arrives while the program keeps running.
    std::string line;
    pollfd ready{out[0], POLLIN, 0};
    char c = 0;
    while (line.find('\n') == std::string::npos && poll(&ready, 1, 10000) == 1 &&
           read(out[0], &c, 1) == 1) {
        line += c;
    }
    const int number = std::atoi(line.c_str());
    EXPECT_GT(number, 0) << line;
    EXPECT_EQ(line, std::to_string(number) + "\n");

    if (number > 0) {
        httplib::Client client("127.0.0.1", number);
        client.set_connection_timeout(std::chrono::seconds(5));
        client.set_read_timeout(std::chrono::seconds(10));
        const auto page = client.Get(std::string(kConsultationPage));
        ASSERT_TRUE(page);
        EXPECT_EQ(page->status, 200);
        EXPECT_THAT(page->body, testing::HasSubstr("data:image/png;base64,"));
    }

    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    close(out[0]);
}

}  // namespace
}  // namespace sample
