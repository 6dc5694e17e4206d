#include <iostream>
#include <string>
#include <vector>

#include "tools/convert_command.h"
#include "tools/program_guard.h"

int main(int argc, char** argv) {
    return tools::RunGuarded("vellora-convert", std::cout, std::cerr, [&] {
        const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        return tools::RunConvertCommand(arguments, std::cout, std::cerr);
    });
}
