#include "capture/legacy_markup.h"

#include <gtest/gtest.h>

#include "capture/nesting_depth.h"

namespace capture {
namespace {

TEST(LegacyMarkupOfBodyContent, WritesTheLegacyForm) {
    struct Case {
        const char* what;
        std::string html;
        std::string legacy;
    };
    const Case cases[] = {
        {"captcha picture and the next input",
         "<img src=\"data:image/png;base64,iVBO+/=\">\n   <input name=\"x\" type=text>",
         "<IMG src=\"data:image/png;base64,iVBO+/=\"> <INPUT name=\"x\" type=\"text\">"},
        {"a line break before block elements, none at the very start",
         "<div>a</div><p>b<span>c</span></p>", "<DIV>a</DIV>\r\n<P>b<SPAN>c</SPAN></P>"},
        {"a table cell on its own line, inner blanks collapsed",
         "<table>\n <tr>\n  <td>\n   <label>CNPJ</label>   <span>12.345</span>\n  </td>\n"
         " </tr>\n</table>",
         "<TABLE>\r\n<TBODY>\r\n<TR>\r\n<TD><LABEL>CNPJ</LABEL> "
         "<SPAN>12.345</SPAN></TD></TR></TBODY>"
         "</TABLE>"},
        {"a line break after BR, void elements unclosed", "a <br> b<hr>c", "a <BR>\r\nb\r\n<HR>c"},
        {"attribute values escaped, names lowercase, order kept",
         "<a title='say \"hi\" &amp; go' HREF=x>t</a>",
         "<A title=\"say &quot;hi&quot; &amp; go\" href=\"x\">t</A>"},
        {"text escaped, no-break space as an entity", "1 &lt; 2 &gt; 0 &amp; x&nbsp;y\xC2\xA0z",
         "1 &lt; 2 &gt; 0 &amp; x&nbsp;y&nbsp;z"},
        {"white space kept in PRE and TEXTAREA", "<pre>a  b\n  c</pre><textarea>x   y</textarea>",
         "<PRE>a  b\n  c</PRE><TEXTAREA>x   y</TEXTAREA>"},
        {"script and style written as they are, comments too",
         "<script>if (a < b && c) { document.x(); }</script><style>p > b {}</style><!-- n -->",
         "<SCRIPT>if (a < b && c) { document.x(); }</SCRIPT><STYLE>p > b {}</STYLE><!-- n -->"},
        {"unknown elements in capitals", "<custom-tag data-x=1>v</custom-tag>",
         "<CUSTOM-TAG data-x=\"1\">v</CUSTOM-TAG>"},
        {"white space alone beside blocks dropped, no blank at a line's start or twice",
         "  <div> x </div> \n <div>\ty <b> z </b> </div>  ",
         "<DIV>x </DIV>\r\n<DIV>y <B>z </B></DIV>"},
        {"a text's last blank kept before a block, a BR and an element's end",
         "<div><label>Descri\xC3\xA7\xC3\xA3o </label><div>PEDIDO</div></div>"
         "<table><tr><td><span>1 </span></td></tr></table><p>Nome <br>Valor </p>",
         "<DIV><LABEL>Descri\xC3\xA7\xC3\xA3o </LABEL>\r\n<DIV>PEDIDO</DIV></DIV>\r\n<TABLE>"
         "\r\n<TBODY>\r\n<TR>\r\n<TD><SPAN>1 </SPAN></TD></TR></TBODY></TABLE>\r\n<P>Nome <BR>"
         "\r\nValor </P>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LegacyMarkupOfBodyContent(c.html), c.legacy) << c.what;
    }
}

TEST(LegacyBodyMarkup, TakesTheBodyOfADocument) {
    EXPECT_EQ(LegacyBodyMarkup("<!DOCTYPE html><html><head><title>T</title></head>"
                               "<body class=x>\n<div>Dados</div>\n</body></html>"),
              "<DIV>Dados</DIV>");
    EXPECT_EQ(LegacyBodyMarkup("just text"), "just text");
    EXPECT_EQ(LegacyBodyMarkup("<html><frameset><frame src=a></frameset></html>"), std::nullopt);
}

TEST(LegacyMarkupOfBodyContent, RefusesMarkupNestedDeeperThanBrowsersGo) {
    std::string html;
    for (int i = 0; i < 20000; ++i) {
        html += "<span>";
    }
    html += "x";
    EXPECT_THROW(LegacyMarkupOfBodyContent(html), MarkupTooDeep);
}

}  // namespace
}  // namespace capture
