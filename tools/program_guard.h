#pragma once

#include <functional>
#include <ostream>
#include <string_view>

namespace tools {

// Runs a command-line program's body, so that it always ends with a message and an exit
// status, never an abort: an exception that escapes the body (out of memory included) is
// said on err and gives status 1, and so does standard output (out) that could not be
// written whole, since the list of written files is what a calling script reads. Any other
// way to std::terminate (an exception in another thread) prints a message and exits with 1.
int RunGuarded(std::string_view program, std::ostream& out, std::ostream& err,
               const std::function<int()>& body);

}  // namespace tools
