#include "app/profile_file.h"

#include <fstream>
#include <optional>
#include <vector>

#include "files/atomic_file.h"
#include "text/ascii_case.h"

namespace app {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    const auto trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const auto close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> EntryOfLine(std::string_view line) {
    const auto trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') {
        return std::nullopt;
    }
    const auto equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return Entry{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

// The lines of the named section: [first, end) after its header; first == npos when the
// file has no such section.
struct SectionRange {
    std::size_t header = std::string::npos;
    std::size_t end = 0;
};

SectionRange FindSection(const std::vector<std::string>& lines, std::string_view section) {
    SectionRange found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i]);
        if (!name) {
            continue;
        }
        if (found.header != std::string::npos) {
            found.end = i;
            return found;
        }
        if (text::EqualsIgnoringCase(*name, section)) {
            found.header = i;
        }
    }
    found.end = lines.size();
    return found;
}

// Sets the key in the lines of the file: replaces its line in the section, or adds it after
// the section's last line that is not blank, or adds the section at the end.
void SetValue(std::vector<std::string>& lines, std::string_view section, std::string_view key,
              std::string_view value) {
    const std::string entry = std::string(key) + "=" + std::string(value);
    const auto range = FindSection(lines, section);
    if (range.header == std::string::npos) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entry);
        return;
    }
    std::size_t insertAt = range.header + 1;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto current = EntryOfLine(lines[i]);
        if (current && text::EqualsIgnoringCase(current->key, key)) {
            lines[i] = entry;
            return;
        }
        if (!Trim(lines[i]).empty()) {
            insertAt = i + 1;
        }
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
}

}  // namespace

std::string ReadProfileValue(const std::filesystem::path& file, std::string_view section,
                             std::string_view key, std::string_view defaultValue) {
    const auto lines = ReadLines(file);
    const auto range = FindSection(lines, section);
    if (range.header == std::string::npos) {
        return std::string(defaultValue);
    }
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const auto entry = EntryOfLine(lines[i]);
        if (entry && text::EqualsIgnoringCase(entry->key, key)) {
            auto value = entry->value;
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            return std::string(value);
        }
    }
    return std::string(defaultValue);
}

void WriteProfileValues(const std::filesystem::path& file, std::string_view section,
                        const std::vector<ProfileEntry>& entries) {
    auto lines = ReadLines(file);
    for (const auto& [key, value] : entries) {
        SetValue(lines, section, key, value);
    }
    std::string text;
    for (const auto& line : lines) {
        text += line;
        text += "\r\n";
    }
    files::WriteFileAtomically(file, text);
}

}  // namespace app
