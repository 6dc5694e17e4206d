#pragma once

#include <chrono>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "dfe/clock.h"
#include "tools/dfe/certificate_password.h"
#include "tools/dfe/secret_store.h"
#include "tools/dfe/terminal_line.h"

namespace tools {

// What vellora-dfe reads and writes besides its arguments, so that tests can give their own.
struct DfeContext {
    std::ostream& out;  // the paths of the written files, the certificate's details
    std::ostream& err;  // messages and progress
    // The environment's variable of that name, or nullptr.
    std::function<const char*(const char* name)> variable;
    const dfe::Clock& clock;
    PasswordPrompt prompt;
    std::chrono::seconds connectTimeout{30};
    std::chrono::seconds totalTimeout{120};
    // Asks before the Ciência da Operação is registered; without it, no one can be asked.
    Confirmation confirmation{};
    // The system's secret store for the certificates' passwords; nullptr when there is none.
    SecretStore* secrets = nullptr;
};

// Runs vellora-dfe with the arguments that follow the program's name and returns its exit
// status: 0 everything delivered (or every Ciência registered), 1 something failed (or only
// a summary came), 2 a wrong command line or no one to confirm the Ciência, 3 a use limit said
// to wait.
int RunDfeCommand(const std::vector<std::string>& arguments, const DfeContext& context);

}  // namespace tools
