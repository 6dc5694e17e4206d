#include "capture/nesting_depth.h"

#include <gtest/gtest.h>

#include <string>

namespace capture {
namespace {

std::string Repeated(std::string_view piece, std::size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

std::string Nested(std::string_view tag, std::size_t depth) {
    return Repeated("<" + std::string(tag) + ">", depth) + "x" +
           Repeated("</" + std::string(tag) + ">", depth);
}

TEST(CheckNestingDepth, AcceptsAsDeepAsTheLimitAndNoDeeper) {
    EXPECT_NO_THROW(CheckNestingDepth(Nested("div", kMaximumNestingDepth)));
    EXPECT_THROW(CheckNestingDepth(Nested("div", kMaximumNestingDepth + 1)), MarkupTooDeep);
    EXPECT_THROW(CheckNestingDepth(Nested("SPAN", 200000)), MarkupTooDeep);
    EXPECT_THROW(CheckNestingDepth(Repeated("<b>x", 5000)), MarkupTooDeep);
}

// Long pages whose tags a browser does not nest: each must pass.
TEST(CheckNestingDepth, CountsOnlyWhatABrowserNests) {
    struct Case {
        const char* what;
        std::string html;
    };
    const std::size_t many = 5000;
    const Case cases[] = {
        {"siblings closed in turn", Repeated("<div><span>x</span></div>", many)},
        {"void elements", Repeated("<br><img src=a><input name=b><hr><meta x=1>", many)},
        {"list items, rows, cells and paragraphs without end tags",
         "<ul>" + Repeated("<li>a", many) + "</ul><table>" + Repeated("<tr><td>a<td>b", many) +
             "</table>" + Repeated("<p>c", many) + Repeated("<dl><dt>t<dd>d</dl>", many)},
        {"options without end tags",
         "<select>" + Repeated("<optgroup><option>a<option>b", many) + "</select>"},
        {"a paragraph closed by the block after it", Repeated("<p>a<div>b</div>", many)},
        {"tags inside comments, scripts, styles and text areas",
         "<!--" + Repeated("<div>", many) + "-->" + "<script>" + Repeated("<div>", many) +
             "</script><STYLE>" + Repeated("<div>", many) + "</Style><textarea>" +
             Repeated("<div>", many) + "</textarea>"},
        {"self-closed elements inside svg",
         "<svg>" + Repeated("<path d=\"M0 0\"/>", many) + "</svg>"},
        {"a \">\" inside a quoted attribute",
         Repeated("<div title=\"a > b\" data-x='<div>'>x</div>", many)},
        {"end tags of elements that were never open", Repeated("</span></td></div>", many)},
    };
    for (const Case& c : cases) {
        EXPECT_NO_THROW(CheckNestingDepth(c.html)) << c.what;
    }
}

TEST(CheckNestingDepth, CountsSelfClosedHtmlElementsAsOpenAsBrowsersDo) {
    EXPECT_THROW(CheckNestingDepth(Repeated("<div/>", kMaximumNestingDepth + 1)), MarkupTooDeep);
}

TEST(CheckNestingDepth, CopesWithMarkupCutShort) {
    for (const std::string html : {"<", "<div", "<div title=\"x", "<!--", "</", "<script>a",
                                   "<p>a</p", "<plaintext><div><div>"}) {
        EXPECT_NO_THROW(CheckNestingDepth(html)) << html;
    }
}

}  // namespace
}  // namespace capture
