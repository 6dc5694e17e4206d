#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "tools/dfe/dfe_command.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    const dfe::SystemClock clock;
    tools::DfeContext context{
        std::cout,
        std::cerr,
        [](const char* name) { return std::getenv(name); },
        clock,
        [](const std::string& prompt) { return tools::PromptOnTerminal(prompt); },
    };
    context.confirmation = tools::TerminalConfirmation();
    const std::unique_ptr<tools::SecretStore> secrets = tools::SystemSecretStore();
    context.secrets = secrets.get();
    return tools::RunDfeCommand(arguments, context);
}
