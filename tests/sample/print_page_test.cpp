#include "sample/print_page/print_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <numeric>

#include "capture/capture_page.h"
#include "convert/page_text.h"
#include "convert/split_at_heading.h"
#include "convert/w1252_literal.h"
#include "sample/invoices/invoice_builders.h"
#include "text/windows1252.h"

namespace sample {
namespace {

using namespace convert::literals;
using ::testing::HasSubstr;
using ::testing::StartsWith;

capture::PageLines CapturedLines(const nfe::TNFe& nfe) {
    return capture::PageLinesFromDocument(RenderPrintPage(nfe)).value();
}

// The page text the conversion reads: Windows-1252, "|&|" between the lines.
std::string PageText(const nfe::TNFe& nfe) {
    return convert::BuildPageText(capture::JoinPageLines(CapturedLines(nfe)));
}

std::string SectionBetween(const std::string& text, std::string_view heading,
                           std::string_view next) {
    std::string rest = text;
    std::string before;
    convert::SplitAtHeading(heading, rest, rest, before);
    convert::SplitAtHeading(next, rest, rest, before);
    return before;
}

TEST(PrintPage, HasAScriptThatLeavesNoLineBehind) {
    const nfe::TNFe nfe = RegimeNormalInvoice();
    EXPECT_THAT(RenderPrintPage(nfe), HasSubstr("function imprimir()"));
    const capture::PageLines lines = CapturedLines(nfe);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], "NF-e - Consulta Completa");
    EXPECT_EQ(text::Windows1252ToUtf8(lines[1]),
              "Chave de Acesso 3515 0311 2223 3300 0181 5500 1000 0010 0112 0151 0019");
    EXPECT_EQ(text::Windows1252ToUtf8(lines[3]), "Versão 3.10");
    EXPECT_THAT(lines.back(), StartsWith("Portal da Nota Fiscal"));
}

// The item list starts 92 characters into the products block with "(R$)" and the first item
// number; every line that holds only a number is an item number, in order.
TEST(PrintPage, ListsTheItemsAfterTheHeaderOfTheList) {
    const nfe::TNFe nfe = RegimeNormalInvoice();
    const std::string block =
        SectionBetween(PageText(nfe), "Dados dos Produtos e Serviços"_w1252, "|&|Totais|&|");
    ASSERT_GT(block.size(), 92u);
    EXPECT_THAT(block.substr(92), StartsWith("(R$)|&|1|&|"));

    std::vector<int> numbers;
    std::size_t start = 0;
    while (start <= block.size()) {
        const std::size_t end = std::min(block.find("|&|", start), block.size());
        const std::string line = block.substr(start, end - start);
        if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) {
            numbers.push_back(std::stoi(line));
        }
        start = end + 3;
    }
    std::vector<int> expected(static_cast<std::size_t>(nfe.Det.Count()));
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(numbers, expected);
}

// The instalment rows follow the header row, whose last cell is "Valor " with its blank, and
// nothing follows them before the next section.
TEST(PrintPage, ListsTheInstalmentsAfterTheirHeaderRow) {
    const std::string block = SectionBetween(
        PageText(BillingInvoice()), "|&|Dados do Transporte|&|", "Informações Adicionais"_w1252);
    const std::size_t header = block.find("Duplicatas|&|");
    ASSERT_NE(header, std::string::npos);
    EXPECT_EQ(block.substr(header + 13),
              "N\xFAmero|&|Vencimento|&|Valor |&|"
              "001|&|01/04/2015|&|1.827,50|&|002|&|01/05/2015|&|1.827,50|&|"
              "003|&|01/06/2015|&|1.827,50|&|");
}

// The note for the tax authority starts 56 characters after its heading, the note for the
// taxpayer 71 characters after its own; each runs to the end of its line.
TEST(PrintPage, PlacesTheNotesWhereTheyAreRead) {
    const nfe::TNFe nfe = NotesInvoice();
    const std::string text = PageText(nfe);
    const auto noteAt = [&](std::string_view heading, std::size_t offset) {
        const std::size_t p = text.find(heading);
        EXPECT_NE(p, std::string::npos) << heading;
        const std::size_t start = p + offset;
        return text.substr(start, text.find("|&|", start) - start);
    };
    EXPECT_EQ(noteAt("Informações Adicionais de Interesse do Fisco"_w1252, 56),
              nfe.InfAdic.infAdFisco);
    EXPECT_EQ(noteAt("Informações Complementares de Interesse do Contribuinte"_w1252, 71),
              nfe.InfAdic.infCpl);
}

}  // namespace
}  // namespace sample
