#include "convert/page_lines_file.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "text/windows1252.h"

namespace convert {

std::string PageLinesFromFileText(std::string_view bytes) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::string text;
    if (text::IsValidUtf8(bytes)) {
        if (bytes.starts_with(kByteOrderMark)) {
            bytes.remove_prefix(kByteOrderMark.size());
        }
        text = text::Utf8ToWindows1252(bytes);
    } else {
        text = bytes;
    }

    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with('\n')) {
        text.pop_back();
    }
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            lines += '\r';
        }
        lines += text[i];
    }
    return lines;
}

std::string ReadPageLinesFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) {
        throw std::runtime_error("Não foi possível ler o arquivo \"" + path.string() + "\"");
    }
    return PageLinesFromFileText(bytes);
}

}  // namespace convert
