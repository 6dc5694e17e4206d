#include <gtest/gtest.h>

#include <string>

#include "convert/page_lines_file.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace convert {
namespace {

TEST(PageLinesFromFileText, GivesWindows1252LinesSeparatedByCrLf) {
    struct Case {
        std::string bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"Versão XML\n3.10\n", "Vers\xE3o XML\r\n3.10"},
        {"Versão XML\r\n3.10", "Vers\xE3o XML\r\n3.10"},
        // Not UTF-8: taken as Windows-1252 as it is.
        {"Vers\xE3o XML\r\n3.10\r\n", "Vers\xE3o XML\r\n3.10"},
        {"\xEF\xBB\xBF"
         "a\nb",
         "a\r\nb"},
        // An empty last line stays; mixed endings; a lone CR is text.
        {"a\n\n", "a\r\n"},
        {"a\r\nb\nc\rd", "a\r\nb\r\nc\rd"},
        {"\n", ""},
        {"", ""},
        // A character that Windows-1252 lacks becomes "?", as the capture does.
        {"\xE2\x9C\x93 ok\n", "? ok"},
        {"\xE2\x82\xAC", "\x80"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PageLinesFromFileText(c.bytes), c.expected) << c.bytes;
    }
}

TEST(ReadPageLinesFile, ReadsTheFileOrFailsWithItsName) {
    test_support::TemporaryDirectory folder;
    test_support::WriteFile(folder / "page.txt", "a\nb\n");
    EXPECT_EQ(ReadPageLinesFile(folder / "page.txt"), "a\r\nb");
    try {
        ReadPageLinesFile(folder / "missing.txt");
        ADD_FAILURE() << "no error for a missing file";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("missing.txt"), std::string::npos);
    }
    EXPECT_THROW(ReadPageLinesFile(folder.path()), std::runtime_error);
}

}  // namespace
}  // namespace convert
