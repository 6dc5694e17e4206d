#pragma once

#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tools {

// The command-line programs describe their options once, in a table: it drives the parsing,
// the usage lines of --help and, through --help, the man pages.

// A command line that a program cannot run; the message says why.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Option {
    std::string_view longName;   // "--output"
    std::string_view shortName;  // "-o", or empty
    std::string_view value;      // the value's name in the help ("PASTA"); empty for a switch
    std::string_view help;       // lines of explanation, without the leading blanks
    std::string_view noun = "o valor";  // what the value is, in messages: "a pasta de saída"
    bool repeatable = false;            // a value option that may be given more than once
};

struct ParsedOptions {
    std::map<std::string_view, std::vector<std::string>> values;  // by long name
    std::vector<std::string_view> switches;                       // long names given
    std::vector<std::string> operands;

    bool Has(std::string_view longName) const;
    std::optional<std::string> Value(std::string_view longName) const;
};

// Reads arguments against the table: "--name VALUE", "--name=VALUE", "-x VALUE", "-xVALUE",
// switches, and "--", after which everything is an operand; an empty argument is an operand
// too. Throws UsageError for an option the table does not hold (a lone "-" included), a
// missing or empty value, or a value given twice to an option that takes one.
ParsedOptions ParseOptions(std::span<const Option> table,
                           const std::vector<std::string>& arguments);

// Whether one of names stands among the arguments before any "--".
bool AnyBeforeEnd(const std::vector<std::string>& arguments,
                  std::initializer_list<std::string_view> names);

// The table as the option lines of a help text, the explanations aligned.
std::string OptionLines(std::span<const Option> table);

}  // namespace tools
