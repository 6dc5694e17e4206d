#include "nfe/xml_escape.h"

#include <gtest/gtest.h>

#include <string>

namespace nfe {
namespace {

TEST(EscapeXmlText, EscapesMarkupAndReplacesWhatXmlCannotCarry) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {"Autorizado o uso da NF-e", "Autorizado o uso da NF-e"},
        {"a&b<c>d\"e'f", "a&amp;b&lt;c&gt;d&quot;e&#39;f"},
        {"&amp;", "&amp;amp;"},
        {"Rejeição: código", "Rejeição: código"},
        {"tab\tlf\ncr\r", "tab\tlf\ncr\r"},
        {std::string("nul\0bel\x07", 8), "nul bel "},
        {"\xEF\xBF\xBE", " "},  // U+FFFE
        {"caf\xE9", "caf?"},    // Windows-1252, not UTF-8
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EscapeXmlText(c.text), c.expected) << c.text;
    }
}

}  // namespace
}  // namespace nfe
