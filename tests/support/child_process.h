#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

namespace test_support {

struct CommandOutput {
    int status = -1;
    std::string text;  // what the command wrote on standard output
};

// Runs a shell command line to its end. The caller adds " 2>&1" to read standard error too.
CommandOutput RunCommand(const std::string& commandLine);

// A program started with arguments, its standard error discarded and its standard output read
// up to the end of its first line (a server prints the port it listens on there); stopped with
// SIGTERM when the object goes out of scope.
class RunningProgram {
public:
    RunningProgram(const std::string& program, std::vector<std::string> arguments);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    const std::string& firstLine() const { return firstLine_; }
    int port() const;  // the first line read as a number; 0 when it is not one

private:
    pid_t pid_ = 0;
    int out_ = -1;
    std::string firstLine_;
};

}  // namespace test_support
