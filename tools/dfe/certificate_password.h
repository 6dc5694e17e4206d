#pragma once

#include <functional>
#include <optional>
#include <string>

#include "dfe/secret.h"

namespace tools {

// Asks a person for a password, showing prompt; nullopt when no one can be asked.
using PasswordPrompt = std::function<std::optional<dfe::Secret>(const std::string& prompt)>;

// The password of the certificate, from the first source that has one: passwordFile (its
// first line), the value of VELLORA_CERT_PASSWORD (variable; nullptr when unset; empty counts
// as unset), then prompt. Never from the command line. Throws std::runtime_error when the file
// cannot be read or no source gives a password.
dfe::Secret CertificatePassword(const std::string& passwordFile, const char* variable,
                                const PasswordPrompt& prompt, const std::string& certificate);

// Shows prompt on the terminal (terminal: its device, normally /dev/tty) and reads one line
// with the echo off; the echo comes back afterwards, also when the program is interrupted
// meanwhile. nullopt when there is no terminal to ask.
std::optional<dfe::Secret> PromptOnTerminal(const std::string& prompt,
                                            const char* terminal = "/dev/tty");

}  // namespace tools
