#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tools {

// Runs vellora-convert with the arguments that follow the program's name: converts every page
// into the output folder, writes each file's path to out and each failure to err, and
// returns the exit status (0 all converted, 1 some failed, 2 usage error).
int RunConvertCommand(const std::vector<std::string>& arguments, std::ostream& out,
                      std::ostream& err);

}  // namespace tools
