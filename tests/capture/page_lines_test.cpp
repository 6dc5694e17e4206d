#include "capture/page_lines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "capture/remover_tags.h"

namespace capture {
namespace {

using ::testing::ElementsAre;

TEST(RemoverTags, DropsTagsAndKeepsEverythingElse) {
    struct Case {
        std::string markup;
        std::string text;
    };
    const Case cases[] = {
        {"<TD>CNPJ</TD><TD>12.345</TD>", "CNPJ12.345"},
        {"a > b <B>c</B>", "a > b c"},
        {"no tags", "no tags"},
        {"<>", ""},
        {"x<B>y<unclosed z", "xy<unclosed z"},  // a "<" without ">" keeps the rest
        {"<<B>>", ">"},                         // the tag runs to the first ">"
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RemoverTags(c.markup), c.text) << c.markup;
    }
}

TEST(SplitLines, BreaksAtCrLfLoneCrAndLoneLf) {
    EXPECT_THAT(SplitLines("a\r\nb\rc\nd"), ElementsAre("a", "b", "c", "d"));
    EXPECT_THAT(SplitLines("a\n\r b"), ElementsAre("a", "", " b"));
    EXPECT_THAT(SplitLines("a\r\n"), ElementsAre("a", ""));
    EXPECT_THAT(SplitLines(""), ElementsAre(""));
}

TEST(RemoveNbsp, RemovesOnlyNbspInAnyCase) {
    EXPECT_EQ(RemoveNbsp("a&nbsp;b&NBSP;c&Nbsp;"), "abc");
    EXPECT_EQ(RemoveNbsp("A &amp; B &lt;"), "A &amp; B &lt;");
    EXPECT_EQ(RemoveNbsp("&nb&nbsp;sp;"), "&nbsp;");  // one pass, no second look
}

TEST(FilterScriptLines, DeletesBlankAndScriptLinesButNeverTheLast) {
    const PageLines lines = {
        "Dados da NF-e",
        " \t ",
        "   Indented",
        "function f() {",
        "var x = document.title",
        "}",
        "{",
        "Documento",
        "Tipo de documento",
        "Functions stay",
        "",
        "function last() {}",
    };
    EXPECT_THAT(FilterScriptLines(lines), ElementsAre("Dados da NF-e", "   Indented", "Documento",
                                                      "Functions stay", "function last() {}"));
    EXPECT_THAT(FilterScriptLines({"a", ""}), ElementsAre("a", ""));
    EXPECT_THAT(FilterScriptLines({}), ElementsAre());
}

TEST(FilterScriptLines, LetsEventsRunBeforeEachExaminedLine) {
    int calls = 0;
    FilterScriptLines({"a", "", "b", "c"}, [&] { ++calls; });
    EXPECT_EQ(calls, 3);
}

TEST(FilterScriptLines, StaysLinearOnLargePages) {
    PageLines lines(200000, " ");
    lines.back() = "end";
    EXPECT_THAT(FilterScriptLines(std::move(lines)), ElementsAre("end"));
}

TEST(JoinPageLines, PutsCrLfBetweenLines) {
    EXPECT_EQ(JoinPageLines({"a", "b"}), "a\r\nb");
    EXPECT_EQ(JoinPageLines({"a", ""}), "a\r\n");
    EXPECT_EQ(JoinPageLines({}), "");
}

TEST(PageLinesFromMarkup, CellWithNbspAndLineBreakGivesTwoLines) {
    EXPECT_THAT(PageLinesFromMarkup("<TD>word&nbsp;<BR>\r\nsecond</TD>"),
                ElementsAre("word", "second"));
}

TEST(PageLinesFromMarkup, RemovesTagsBeforeSplittingAndNbspAfter) {
    // A tag that spans a line break goes with its line break; an "&nbsp;" between a lone CR
    // and a LF leaves an empty line that the filter removes.
    EXPECT_THAT(PageLinesFromMarkup("a<TD\r\nclass=x>b\r&nbsp;\nc"), ElementsAre("ab", "c"));
}

}  // namespace
}  // namespace capture
