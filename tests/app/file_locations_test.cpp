#include "app/file_locations.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace app {
namespace {

TEST(FileLocations, BesideTheProgramUnlessItsFolderCannotBeWritten) {
    using Environment = std::map<std::string, std::string>;
    struct Case {
        const char* name;
        bool writable;
        Environment environment;
        std::optional<FileLocations> expected;  // nullopt: refused
    };
    const Environment xdg = {
        {"HOME", "/home/ana"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}};
    const Case cases[] = {
        {"writable", true, xdg, FileLocations{"/opt/vellora", {}}},
        {"writable, no environment", true, {}, FileLocations{"/opt/vellora", {}}},
        {"read-only", false, xdg, FileLocations{"/cfg/vellora", "/data/vellora/xml"}},
        {"read-only, HOME only",
         false,
         {{"HOME", "/home/ana"}},
         FileLocations{"/home/ana/.config/vellora", "/home/ana/.local/share/vellora/xml"}},
        {"read-only, relative and empty values ignored",
         false,
         {{"HOME", "/home/ana"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", ""}},
         FileLocations{"/home/ana/.config/vellora", "/home/ana/.local/share/vellora/xml"}},
        {"read-only, no folder at all", false, {}, std::nullopt},
        {"read-only, only a config folder", false, {{"XDG_CONFIG_HOME", "/cfg"}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::path asked;
        const auto isWritable = [&](const std::filesystem::path& folder) {
            asked = folder;
            return c.writable;
        };
        const auto variable = [&](const char* name) -> const char* {
            const auto found = c.environment.find(name);
            return found == c.environment.end() ? nullptr : found->second.c_str();
        };
        if (!c.expected) {
            EXPECT_THROW(ChooseFileLocations("/opt/vellora", isWritable, variable),
                         std::runtime_error);
            continue;
        }
        const FileLocations chosen = ChooseFileLocations("/opt/vellora", isWritable, variable);
        EXPECT_EQ(asked, "/opt/vellora");
        EXPECT_EQ(chosen.workingFolder, c.expected->workingFolder);
        EXPECT_EQ(chosen.defaultOutputFolder, c.expected->defaultOutputFolder);
    }
}

}  // namespace
}  // namespace app
