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
    std::string_view longName = {};   // "--output"
    std::string_view shortName = {};  // "-o", or empty
    std::string_view value = {};      // the value's name in the help ("PASTA"); empty for a switch
    std::string_view help = {};       // lines of explanation, without the leading blanks
    std::string_view noun = "o valor";  // what the value is, in messages: "a pasta de saída"
    bool repeatable = false;            // a value option that may be given more than once
    // The commands that take it, separated by blanks; empty when every command takes it.
    std::string_view commands = {};
};

// Whether command is one of the option's commands, word for word.
bool TakesOption(std::string_view command, const Option& option);

// How a program words three faults of its command line; vellora-convert's words by default.
// written is the option as it was typed, without its value.
struct FaultWording {
    std::string (*emptyValue)(const Option& option, std::string_view written) =
        [](const Option& option, std::string_view written) {
            return std::string(option.noun) + " está em branco (" + std::string(written) + ")";
        };
    std::string (*givenTwice)(const Option& option, std::string_view written) =
        [](const Option& option, std::string_view) {
            return "a opção " + std::string(option.longName) + " foi dada mais de uma vez";
        };
    std::string (*valueOnSwitch)(std::string_view written) = [](std::string_view written) {
        return std::string(written) + " não leva valor";
    };
};

struct ParsedOptions {
    std::map<std::string_view, std::vector<std::string>> values;  // by long name
    std::vector<std::string_view> switches;                       // long names given
    std::vector<std::string> operands;

    bool Has(std::string_view longName) const;
    std::optional<std::string> Value(std::string_view longName) const;  // the last one given
    std::vector<std::string> Values(std::string_view longName) const;   // all, in order
};

// Reads arguments against the table: "--name VALUE", "--name=VALUE", "-x VALUE", "-xVALUE",
// switches, and "--", after which everything is an operand; an empty argument is an operand
// too. Throws UsageError for an option the table does not hold (a lone "-" included), an
// option that the command (when one is given) does not take, a missing or empty value, or a
// value given twice to an option that takes one.
ParsedOptions ParseOptions(std::span<const Option> table, const std::vector<std::string>& arguments,
                           std::string_view command = {}, const FaultWording& wording = {});

// Whether one of names stands among the arguments before any "--".
bool AnyBeforeEnd(const std::vector<std::string>& arguments,
                  std::initializer_list<std::string_view> names);

// The table as the option lines of a help text, the explanations aligned at column.
std::string OptionLines(std::span<const Option> table, std::size_t column = 21);

}  // namespace tools
