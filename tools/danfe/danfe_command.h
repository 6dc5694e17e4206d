#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tools {

// Runs vellora-danfe [-o PASTA] ARQUIVO.xml... with the arguments that follow the program's
// name: writes the DANFE of each invoice as KEY.pdf into the folder (default: the current
// one), each file's path to out and each failure to err, and returns the exit status (0 all
// written, 1 some failed, 2 usage error). Needs a Qt Gui application (danfe::GuiSession).
int RunDanfeCommand(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);

}  // namespace tools
