#include "tools/option_table.h"

#include <algorithm>

#include "text/character_count.h"

namespace tools {
namespace {

const Option* Find(std::span<const Option> table, std::string_view name) {
    const auto found = std::find_if(table.begin(), table.end(), [&](const Option& option) {
        return option.longName == name || (!option.shortName.empty() && option.shortName == name);
    });
    return found == table.end() ? nullptr : &*found;
}

std::string Heading(const Option& option) {
    std::string heading = "  ";
    if (!option.shortName.empty()) {
        heading += std::string(option.shortName) + ", ";
    }
    heading += option.longName;
    if (!option.value.empty()) {
        heading += " " + std::string(option.value);
    }
    return heading;
}

}  // namespace

bool TakesOption(std::string_view command, const Option& option) {
    std::string_view commands = option.commands;
    if (commands.empty()) {
        return true;
    }
    while (!commands.empty()) {
        const std::size_t end = std::min(commands.find(' '), commands.size());
        if (commands.substr(0, end) == command) {
            return true;
        }
        commands.remove_prefix(std::min(end + 1, commands.size()));
    }
    return false;
}

bool ParsedOptions::Has(std::string_view longName) const {
    return std::find(switches.begin(), switches.end(), longName) != switches.end() ||
           values.contains(longName);
}

std::optional<std::string> ParsedOptions::Value(std::string_view longName) const {
    const auto found = values.find(longName);
    if (found == values.end() || found->second.empty()) {
        return std::nullopt;
    }
    return found->second.back();
}

std::vector<std::string> ParsedOptions::Values(std::string_view longName) const {
    const auto found = values.find(longName);
    return found == values.end() ? std::vector<std::string>{} : found->second;
}

ParsedOptions ParseOptions(std::span<const Option> table, const std::vector<std::string>& arguments,
                           std::string_view command, const FaultWording& wording) {
    ParsedOptions parsed;
    const auto take = [&](const Option& option, std::string value, std::string_view written) {
        if (value.empty()) {
            throw UsageError(wording.emptyValue(option, written));
        }
        std::vector<std::string>& values = parsed.values[option.longName];
        if (!values.empty() && !option.repeatable) {
            throw UsageError(wording.givenTwice(option, written));
        }
        values.push_back(std::move(value));
    };

    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument.front() != '-') {
            parsed.operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const bool isLong = argument.starts_with("--");
        const std::size_t equals = isLong ? argument.find('=') : std::string::npos;
        const std::string_view name = isLong ? std::string_view(argument).substr(0, equals)
                                             : std::string_view(argument).substr(0, 2);
        const Option* option = Find(table, name);
        if (option == nullptr || (!isLong && argument.size() > 2 && option->value.empty())) {
            throw UsageError("opção desconhecida: " + argument);
        }
        if (!command.empty() && !TakesOption(command, *option)) {
            throw UsageError(std::string(name) + " não se aplica ao comando " +
                             std::string(command));
        }
        if (option->value.empty()) {
            if (equals != std::string::npos) {
                throw UsageError(wording.valueOnSwitch(name));
            }
            parsed.switches.push_back(option->longName);
        } else if (equals != std::string::npos) {
            take(*option, argument.substr(equals + 1), name);
        } else if (!isLong && argument.size() > 2) {
            take(*option, argument.substr(2), name);
        } else if (i + 1 == arguments.size()) {
            throw UsageError("falta " + std::string(option->noun) + " depois de " + argument);
        } else {
            take(*option, arguments[++i], name);
        }
    }
    return parsed;
}

bool AnyBeforeEnd(const std::vector<std::string>& arguments,
                  std::initializer_list<std::string_view> names) {
    const auto end = std::find(arguments.begin(), arguments.end(), "--");
    return std::any_of(arguments.begin(), end, [&](const std::string& argument) {
        return std::find(names.begin(), names.end(), argument) != names.end();
    });
}

std::string OptionLines(std::span<const Option> table, std::size_t column) {
    std::string lines;
    for (const Option& option : table) {
        // The heading stands before the first line of explanation, or alone above it when
        // it reaches the column.
        std::string start = Heading(option);
        if (text::Utf8CharacterCount(start) + 1 > column) {
            lines += start + "\n";
            start.clear();
        }
        std::string_view help = option.help;
        do {
            const std::size_t end = std::min(help.find('\n'), help.size());
            start.append(column - text::Utf8CharacterCount(start), ' ');
            lines += start + std::string(help.substr(0, end)) + "\n";
            help.remove_prefix(std::min(end + 1, help.size()));
            start.clear();
        } while (!help.empty());
    }
    return lines;
}

}  // namespace tools
