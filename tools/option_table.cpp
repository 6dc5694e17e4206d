#include "tools/option_table.h"

#include <algorithm>

namespace tools {
namespace {

constexpr std::size_t kExplanationColumn = 21;

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

ParsedOptions ParseOptions(std::span<const Option> table,
                           const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    const auto take = [&](const Option& option, std::string value, std::string_view written) {
        if (value.empty()) {
            throw UsageError(std::string(option.noun) + " está em branco (" + std::string(written) +
                             ")");
        }
        std::vector<std::string>& values = parsed.values[option.longName];
        if (!values.empty() && !option.repeatable) {
            throw UsageError("a opção " + std::string(option.longName) +
                             " foi dada mais de uma vez");
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
        if (option->value.empty()) {
            if (equals != std::string::npos) {
                throw UsageError(std::string(name) + " não leva valor");
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

std::string OptionLines(std::span<const Option> table) {
    std::string lines;
    for (const Option& option : table) {
        std::string heading = Heading(option);
        std::string_view help = option.help;
        bool first = true;
        while (!help.empty() || first) {
            const std::size_t end = std::min(help.find('\n'), help.size());
            const std::string_view line = help.substr(0, end);
            if (first && heading.size() + 1 > kExplanationColumn) {
                lines += heading + "\n";
                heading.clear();
            }
            std::string start = first ? heading : std::string();
            start.resize(kExplanationColumn, ' ');
            lines += start + std::string(line) + "\n";
            help.remove_prefix(std::min(end + 1, help.size()));
            first = false;
        }
    }
    return lines;
}

}  // namespace tools
