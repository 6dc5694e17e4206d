#include <iostream>
#include <string>
#include <vector>

#include "danfe/gui_session.h"
#include "tools/danfe/danfe_command.h"
#include "tools/program_guard.h"

int main(int argc, char** argv) {
    return tools::RunGuarded("vellora-danfe", std::cout, std::cerr, [&] {
        const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        const danfe::GuiSession session;
        return tools::RunDanfeCommand(arguments, std::cout, std::cerr);
    });
}
