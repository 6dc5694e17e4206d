#include "capture/capture_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace capture {
namespace {

using ::testing::ElementsAre;

TEST(PageLinesFromBodyContent, TurnsAPrintPageIntoLines) {
    const std::string body =
        "<script type=\"text/javascript\">\n"
        "  function imprimir() { window.print(); }\n"
        "</script>\n"
        "<table>\n"
        "  <tr><td><label>CNPJ</label>\n    <span>12.345.678/0001-90</span></td></tr>\n"
        "  <tr><td>Nome&nbsp;<br>\nEmpresa &amp; Cia</td></tr>\n"
        "  <tr><td>Situação   Atual:  AUTORIZADA</td></tr>\n"
        "  <tr><td>documento auxiliar</td><td>Documento</td></tr>\n"
        "</table>\n"
        "<p>€ 10,00 中</p>";
    EXPECT_THAT(PageLinesFromBodyContent(body),
                ElementsAre("CNPJ 12.345.678/0001-90", "Nome", "Empresa &amp; Cia",
                            "Situa\xE7\xE3o Atual: AUTORIZADA", "Documento", "\x80 10,00 ?"));
}

TEST(PageLinesFromDocument, NeedsABody) {
    EXPECT_THAT(PageLinesFromDocument("<html><body><div>a</div>b</body></html>").value(),
                ElementsAre("ab"));
    EXPECT_EQ(PageLinesFromDocument("<frameset></frameset>"), std::nullopt);
}

}  // namespace
}  // namespace capture
