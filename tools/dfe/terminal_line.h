#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "dfe/secret.h"

namespace tools {

// Lines typed by the person at the terminal (its device, normally /dev/tty).

enum class Echo { shown, hidden };

// Shows prompt on terminal and reads one line, without its line end, of at most maxBytes (a
// longer one is cut there). With Echo::hidden the typing is not shown, and the echo comes back
// afterwards, also when the program is interrupted meanwhile. nullopt when there is no
// terminal to ask or the input ends before the line does.
std::optional<dfe::Secret> ReadTerminalLine(const char* terminal, const std::string& prompt,
                                            Echo echo, std::size_t maxBytes);

// A password, read with the echo off.
std::optional<dfe::Secret> PromptOnTerminal(const std::string& prompt,
                                            const char* terminal = "/dev/tty");

// Yes-or-no questions, for acts that need a person's consent.
struct Confirmation {
    std::function<bool()> available;                       // whether there is one to ask
    std::function<bool(const std::string& question)> ask;  // true for yes
};

// Questions on terminal: the answer is a line, and "s" or "sim" in any case is yes; anything
// else, or no line, is no.
Confirmation TerminalConfirmation(const char* terminal = "/dev/tty");

}  // namespace tools
