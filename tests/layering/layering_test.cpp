// The project's folders are libraries whose dependencies point one way. This test reads every
// #include of the sources and fails on one that goes against that order, or on Qt below the
// browser driver.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each folder and the project folders whose headers it may include, besides its own.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"text", {}},
    {"files", {}},
    {"nfe", {"text", "files"}},
    {"convert", {"text", "files", "nfe"}},
    {"capture", {"text"}},
    {"dfe", {"text", "files", "nfe"}},
    {"danfe", {"text", "files", "nfe", "dfe"}},
    {"catalog", {"text", "files", "nfe", "dfe"}},
    {"portal", {"text", "capture", "dfe"}},
    {"app", {"text", "files", "nfe", "convert", "capture", "dfe", "catalog", "danfe", "portal"}},
    {"inbox", {"text", "files", "nfe", "dfe", "catalog", "danfe"}},
    {"tools", {"text", "files", "nfe", "convert", "capture", "dfe", "catalog", "danfe"}},
    {"sample", {"text", "files", "nfe", "convert", "capture", "dfe"}},
    {"bench", {"text", "files", "nfe", "convert", "capture", "dfe", "catalog", "danfe", "sample"}},
    {"fuzz", {"text", "files", "nfe", "convert", "capture", "dfe"}},
    {"tests",
     {"text", "files", "nfe", "convert", "capture", "dfe", "catalog", "danfe", "portal", "app",
      "inbox", "tools", "sample"}},
};

// The folders whose code is plain C++ without Qt.
const std::set<std::string> kWithoutQt = {"text",    "files", "nfe",     "convert",
                                          "capture", "dfe",   "catalog", "tools"};

struct Include {
    fs::path file;
    int line;
    std::string target;  // as written between the quotes or angle brackets
};

// The target of an #include line, as written between its quotes or angle brackets.
std::optional<std::string> IncludeTarget(std::string_view line) {
    const auto skipBlanks = [&] {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) {
            line.remove_prefix(1);
        }
    };
    skipBlanks();
    if (!line.starts_with('#')) {
        return std::nullopt;
    }
    line.remove_prefix(1);
    skipBlanks();
    if (!line.starts_with("include")) {
        return std::nullopt;
    }
    line.remove_prefix(7);
    skipBlanks();
    if (line.empty() || (line.front() != '"' && line.front() != '<')) {
        return std::nullopt;
    }
    const char close = line.front() == '"' ? '"' : '>';
    const std::size_t end = line.find(close, 1);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return std::string(line.substr(1, end - 1));
}

std::vector<Include> IncludesOf(const fs::path& file) {
    std::vector<Include> includes;
    std::ifstream in(file);
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (std::optional<std::string> target = IncludeTarget(text)) {
            includes.push_back({file, line, std::move(*target)});
        }
    }
    return includes;
}

std::vector<fs::path> SourcesIn(const fs::path& folder) {
    std::vector<fs::path> sources;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::path extension = entry.path().extension();
        if (entry.is_regular_file() && (extension == ".h" || extension == ".cpp")) {
            sources.push_back(entry.path());
        }
    }
    return sources;
}

std::string Where(const Include& include) {
    return fs::relative(include.file, VELLORA_SOURCE_DIR).string() + ":" +
           std::to_string(include.line) + " includes " + include.target;
}

TEST(Layering, EveryIncludeFollowsTheOrderOfTheLibraries) {
    std::vector<std::string> wrong;
    for (const auto& [folder, allowed] : kMayInclude) {
        const fs::path root = fs::path(VELLORA_SOURCE_DIR) / folder;
        if (!fs::exists(root)) {
            continue;
        }
        for (const fs::path& source : SourcesIn(root)) {
            for (const Include& include : IncludesOf(source)) {
                const std::string first = include.target.substr(0, include.target.find('/'));
                const bool project =
                    include.target.find('/') != std::string::npos && kMayInclude.contains(first);
                if (project && first != folder && !allowed.contains(first)) {
                    wrong.push_back(Where(include));
                }
                if (kWithoutQt.contains(folder) && include.target.starts_with("Q")) {
                    wrong.push_back(Where(include) + " (Qt)");
                }
            }
        }
    }
    EXPECT_TRUE(wrong.empty()) << [&] {
        std::string text;
        for (const std::string& line : wrong) {
            text += line + "\n";
        }
        return text;
    }();
}

}  // namespace
