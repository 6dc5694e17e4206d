#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// The command line of vellora-convert: [--lines] [-o FOLDER] PAGE...
struct ConvertArguments {
    std::string outputFolder = ".";
    std::vector<std::string> pages;
    bool help = false;
    bool lines = false;  // print the page lines instead of converting
};

// A command line that vellora-convert cannot run; the message says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// arguments holds what follows the program's name. Options: "-o FOLDER" (also "-oFOLDER",
// "--output FOLDER", "--output=FOLDER"), "--lines", "-h" or "--help", and "--", after which
// every argument is a page. Throws UsageError; "--help" wins over every other fault.
ConvertArguments ParseConvertArguments(const std::vector<std::string>& arguments);

extern const std::string_view kConvertUsage;  // one line
extern const std::string_view kConvertHelp;   // the whole explanation, for --help

}  // namespace tools
