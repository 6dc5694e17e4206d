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

// The conversion reads some values at offsets that count the blank a text ends with, such as
// the taxpayer's notes after "Descrição " and the instalments after "Valor ".
TEST(PageLinesFromBodyContent, KeepsTheBlankThatEndsAText) {
    EXPECT_THAT(PageLinesFromBodyContent(
                    "<div><div>Informações Complementares de Interesse do Contribuinte</div>"
                    "<div><label>Descrição </label><div>PEDIDO 4500012345</div></div></div>"),
                ElementsAre("Informa\xE7\xF5"
                            "es Complementares de Interesse do Contribuinte",
                            "Descri\xE7\xE3o ", "PEDIDO 4500012345"));
    EXPECT_THAT(PageLinesFromBodyContent(
                    "<table><tr><td><span>1 </span></td></tr>"
                    "<tr><th>Número</th><th>Vencimento</th><th>Valor </th></tr>"
                    "<tr><td>2 000064126A</td><td>21/07/2017</td><td>1.653,93</td></tr></table>"),
                ElementsAre("1 ", "N\xFAmero", "Vencimento", "Valor ", "2 000064126A", "21/07/2017",
                            "1.653,93"));
    EXPECT_THAT(PageLinesFromBodyContent("<table><tr><td>\n  <label>CNPJ</label>\n  "
                                         "<span>12.345.678/0001-95</span>\n</td></tr></table>"),
                ElementsAre("CNPJ 12.345.678/0001-95"));
}

TEST(PageLinesFromDocument, NeedsABody) {
    EXPECT_THAT(PageLinesFromDocument("<html><body><div>a</div>b</body></html>").value(),
                ElementsAre("ab"));
    EXPECT_EQ(PageLinesFromDocument("<frameset></frameset>"), std::nullopt);
}

}  // namespace
}  // namespace capture
