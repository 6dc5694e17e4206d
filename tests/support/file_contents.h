#pragma once

#include <filesystem>
#include <string>

namespace test_support {

// Whole-file reads and writes in binary mode, for fixtures and golden files.
std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& contents);

// The folder of fixtures that sits beside the test sources of one module,
// e.g. FixturePath("convert", "regime_normal.txt").
std::filesystem::path FixturePath(const std::string& module, const std::string& name);

}  // namespace test_support
