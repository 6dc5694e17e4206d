#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "tools/option_table.h"

namespace tools {

// vellora-dfe's options, for all its commands, described once: the table drives the parsing
// and the option lines of --help.

// Reads the options and operands that follow command; throws UsageError, also for an option
// that the command does not take.
ParsedOptions ParseDfeOptions(std::string_view command, const std::vector<std::string>& arguments);

// The option lines of the help: those that one of commands takes, and those of every command.
std::string DfeOptionLines(std::initializer_list<std::string_view> commands);

}  // namespace tools
