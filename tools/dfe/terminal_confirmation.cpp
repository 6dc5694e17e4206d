#include "tools/dfe/terminal_confirmation.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "text/ascii_case.h"
#include "text/trim.h"

namespace tools {

Confirmation TerminalConfirmation(const char* terminal) {
    const std::string device = terminal;
    Confirmation confirmation;
    confirmation.available = [device] {
        const int opened = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (opened < 0) {
            return false;
        }
        ::close(opened);
        return true;
    };
    confirmation.ask = [device](const std::string& question) {
        const int opened = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (opened < 0) {
            return false;
        }
        [[maybe_unused]] const ssize_t shown = ::write(opened, question.data(), question.size());
        std::string answer;
        for (char c; answer.size() < 100;) {
            const ssize_t got = ::read(opened, &c, 1);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0 || c == '\n') {
                break;
            }
            answer += text::AsciiLower(c);
        }
        ::close(opened);
        const std::string_view trimmed = text::Trim(answer);
        return trimmed == "s" || trimmed == "sim";
    };
    return confirmation;
}

}  // namespace tools
