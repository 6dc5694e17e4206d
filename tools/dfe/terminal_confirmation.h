#pragma once

#include <functional>
#include <string>

namespace tools {

// Yes-or-no questions to the person at the terminal, for acts that need a person's consent.
struct Confirmation {
    std::function<bool()> available;                       // whether there is one to ask
    std::function<bool(const std::string& question)> ask;  // true for yes
};

// Questions on terminal (its device, normally /dev/tty): the answer is a line, and "s" or
// "sim" in any case is yes; anything else, or no line, is no.
Confirmation TerminalConfirmation(const char* terminal = "/dev/tty");

}  // namespace tools
