#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "dfe/secret.h"

namespace tools {

// The longest password read, from a file or typed.
inline constexpr std::size_t kMaxPasswordBytes = 4096;

// Asks a person for a password, showing prompt; nullopt when no one can be asked.
using PasswordPrompt = std::function<std::optional<dfe::Secret>(const std::string& prompt)>;

// The password of the certificate, from the first source that has one: passwordFile (its
// first line), the value of VELLORA_CERT_PASSWORD (variable; nullptr when unset; empty counts
// as unset), then prompt. Never from the command line. Throws std::runtime_error when the file
// cannot be read or no source gives a password.
dfe::Secret CertificatePassword(const std::string& passwordFile, const char* variable,
                                const PasswordPrompt& prompt, const std::string& certificate);

}  // namespace tools
