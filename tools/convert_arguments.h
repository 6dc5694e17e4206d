#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/option_table.h"

namespace tools {

// The command line of vellora-convert: [--lines] [-o FOLDER] PAGE...
struct ConvertArguments {
    std::string outputFolder = ".";
    std::vector<std::string> pages;
    bool help = false;
    bool version = false;
    bool lines = false;  // print the page lines instead of converting
};

// arguments holds what follows the program's name. Options: "-o FOLDER" (also "-oFOLDER",
// "--output FOLDER", "--output=FOLDER"), "--lines", "-h" or "--help", "--version", and "--",
// after which every argument is a page. Throws UsageError; "--help", then "--version", win
// over every other fault.
ConvertArguments ParseConvertArguments(const std::vector<std::string>& arguments);

extern const std::string_view kConvertUsage;  // one line
std::string ConvertHelp();                    // the whole explanation, for --help

}  // namespace tools
