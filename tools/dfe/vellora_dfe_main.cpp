#include <stdlib.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/core_dumps.h"
#include "dfe/secret.h"
#include "tools/dfe/dfe_command.h"
#include "tools/dfe/terminal_line.h"
#include "tools/program_guard.h"

namespace {

constexpr std::string_view kPasswordVariable = "VELLORA_CERT_PASSWORD";

// The password leaves the environment as soon as it is read, so that no child process and no
// look at /proc/PID/environ finds it.
dfe::Secret TakePasswordFromEnvironment() {
    const char* value = std::getenv(kPasswordVariable.data());
    if (value == nullptr) {
        return {};
    }
    dfe::Secret password{std::string(value)};
    std::memset(const_cast<char*>(value), 0, std::strlen(value));
    ::unsetenv(kPasswordVariable.data());
    return password;
}

}  // namespace

int main(int argc, char** argv) {
    dfe::ForbidCoreDumps();
    const dfe::Secret password = TakePasswordFromEnvironment();
    return tools::RunGuarded("vellora-dfe", std::cout, std::cerr, [&] {
        const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        const dfe::SystemClock clock;
        tools::DfeContext context{
            std::cout,
            std::cerr,
            [&password](const char* name) -> const char* {
                if (name == kPasswordVariable) {
                    return password.empty() ? nullptr : password.c_str();
                }
                return std::getenv(name);
            },
            clock,
            [](const std::string& prompt) { return tools::PromptOnTerminal(prompt); },
        };
        context.confirmation = tools::TerminalConfirmation();
        const std::unique_ptr<tools::SecretStore> secrets = tools::SystemSecretStore();
        context.secrets = secrets.get();
        return tools::RunDfeCommand(arguments, context);
    });
}
