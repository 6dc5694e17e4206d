#include "tools/page_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <utility>

#include "capture/capture_page.h"
#include "capture/page_lines.h"
#include "capture/saved_page.h"
#include "convert/page_lines_file.h"
#include "text/ascii_case.h"

namespace tools {

bool IsSavedPage(const std::filesystem::path& path) {
    const std::string extension = text::AsciiLowerCase(path.extension().string());
    return extension == ".html" || extension == ".htm";
}

std::string ReadPageFile(const std::filesystem::path& path) {
    if (!IsSavedPage(path)) {
        return convert::ReadPageLinesFile(path);
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) {
        throw std::runtime_error("Não foi possível ler o arquivo \"" + path.string() + "\"");
    }
    const std::optional<capture::PageLines> lines =
        capture::PageLinesFromDocument(capture::DecodeSavedPage(std::move(bytes)));
    if (!lines) {
        throw std::runtime_error("A página \"" + path.string() + "\" não tem corpo (body)");
    }
    return capture::JoinPageLines(*lines);
}

}  // namespace tools
