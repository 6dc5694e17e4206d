#include "tests/support/file_contents.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test_support {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::filesystem::path FixturePath(const std::string& module, const std::string& name) {
    return std::filesystem::path(VELLORA_SOURCE_DIR) / "tests" / module / "fixtures" / name;
}

}  // namespace test_support
