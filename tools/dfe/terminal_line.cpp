#include "tools/dfe/terminal_line.h"

#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "text/ascii_case.h"
#include "text/trim.h"
#include "tools/dfe/certificate_password.h"

namespace tools {
namespace {

constexpr std::size_t kMaxAnswerBytes = 100;
constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};

// The terminal whose echo is off, for the signal handler that turns it back on.
volatile sig_atomic_t gTerminal = -1;
termios gSavedTerminal;

void RestoreAndStop(int signal) {
    if (gTerminal >= 0) {
        tcsetattr(gTerminal, TCSAFLUSH, &gSavedTerminal);
    }
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

int OpenTerminal(const char* terminal) {
    return ::open(terminal, O_RDWR | O_NOCTTY | O_CLOEXEC);
}

// Turns the echo of an open terminal off while it lives, and back on when it goes or when the
// program is interrupted.
class HiddenTyping {
public:
    HiddenTyping(int device, const termios& saved) : device_(device), saved_(saved) {
        gSavedTerminal = saved;
        gTerminal = device;
        struct sigaction restore {};
        restore.sa_handler = RestoreAndStop;
        sigemptyset(&restore.sa_mask);
        for (std::size_t i = 0; i < std::size(kInterruptions); ++i) {
            sigaction(kInterruptions[i], &restore, &previous_[i]);
        }
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        quiet.c_lflag |= ECHONL;
        tcsetattr(device, TCSAFLUSH, &quiet);
    }
    ~HiddenTyping() {
        tcsetattr(device_, TCSAFLUSH, &saved_);
        for (std::size_t i = 0; i < std::size(kInterruptions); ++i) {
            sigaction(kInterruptions[i], &previous_[i], nullptr);
        }
        gTerminal = -1;
    }
    HiddenTyping(const HiddenTyping&) = delete;
    HiddenTyping& operator=(const HiddenTyping&) = delete;

private:
    int device_;
    termios saved_;
    struct sigaction previous_[std::size(kInterruptions)];
};

// Reads up to the line end; false when the input ends first.
bool ReadLine(int device, dfe::Secret& line, std::size_t maxBytes) {
    for (char c;;) {
        const ssize_t got = ::read(device, &c, 1);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        if (c == '\n' || line.size() == maxBytes) {
            return true;
        }
        line.Append(c);
    }
}

}  // namespace

std::optional<dfe::Secret> ReadTerminalLine(const char* terminal, const std::string& prompt,
                                            Echo echo, std::size_t maxBytes) {
    const int device = OpenTerminal(terminal);
    if (device < 0) {
        return std::nullopt;
    }
    termios saved{};
    if (echo == Echo::hidden && tcgetattr(device, &saved) != 0) {
        ::close(device);
        return std::nullopt;
    }
    dfe::Secret line;
    line.Reserve(maxBytes + 1);
    bool complete = false;
    {
        std::optional<HiddenTyping> hidden;
        if (echo == Echo::hidden) {
            hidden.emplace(device, saved);
        }
        [[maybe_unused]] const ssize_t shown = ::write(device, prompt.data(), prompt.size());
        complete = ReadLine(device, line, maxBytes);
    }
    ::close(device);
    if (!complete) {
        return std::nullopt;
    }
    line.Append('\n');
    line.DropFinalLineEnd();  // and the CR of a CR LF line end
    return line;
}

std::optional<dfe::Secret> PromptOnTerminal(const std::string& prompt, const char* terminal) {
    return ReadTerminalLine(terminal, prompt, Echo::hidden, kMaxPasswordBytes);
}

Confirmation TerminalConfirmation(const char* terminal) {
    const std::string device = terminal;
    Confirmation confirmation;
    confirmation.available = [device] {
        const int opened = OpenTerminal(device.c_str());
        if (opened < 0) {
            return false;
        }
        ::close(opened);
        return true;
    };
    confirmation.ask = [device](const std::string& question) {
        const std::optional<dfe::Secret> answer =
            ReadTerminalLine(device.c_str(), question, Echo::shown, kMaxAnswerBytes);
        if (!answer) {
            return false;
        }
        const std::string folded = text::AsciiLowerCase(text::Trim(answer->view()));
        return folded == "s" || folded == "sim";
    };
    return confirmation;
}

}  // namespace tools
