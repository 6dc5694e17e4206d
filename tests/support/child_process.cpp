#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern char** environ;

namespace test_support {

CommandOutput RunCommand(const std::string& commandLine) {
    FILE* pipe = popen(commandLine.c_str(), "r");
    CommandOutput output;
    if (pipe == nullptr) {
        return output;
    }
    char buffer[4096];
    for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.text.append(buffer, read);
    }
    output.status = WEXITSTATUS(pclose(pipe));
    return output;
}

RunningProgram::RunningProgram(const std::string& program, std::vector<std::string> arguments) {
    int out[2];
    if (pipe(out) != 0) {
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = 0;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    out_ = out[0];

    // The first line arrives while the program keeps running; a slow build (sanitizers) may
    // take a while to print it.
    pollfd ready{out_, POLLIN, 0};
    char c = 0;
    while (pid_ != 0 && firstLine_.find('\n') == std::string::npos && poll(&ready, 1, 30000) == 1 &&
           read(out_, &c, 1) == 1) {
        firstLine_ += c;
    }
}

RunningProgram::~RunningProgram() {
    if (pid_ != 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (out_ >= 0) {
        close(out_);
    }
}

int RunningProgram::port() const {
    return std::atoi(firstLine_.c_str());
}

}  // namespace test_support
