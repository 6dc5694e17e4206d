#include "danfe/danfe_pdf.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "danfe/invoice_reader.h"
#include "danfe/text_format.h"
#include "nfe/access_key.h"
#include "nfe/cnpj.h"
#include "sample/portal/sample_invoices.h"
#include "tests/danfe/danfe_samples.h"

namespace danfe {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class DanfePdfTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { danfe_test::EnsureGui(); }
};

std::vector<std::string> Sheets(const std::string& text) {
    std::vector<std::string> sheets;
    std::size_t from = 0;
    for (std::size_t feed; (feed = text.find('\f', from)) != std::string::npos; from = feed + 1) {
        sheets.push_back(text.substr(from, feed - from));
    }
    return sheets;
}

// What every DANFE must show of its invoice, and the bar code read back as its key.
void ExpectTheInvoiceIn(const std::string& xml) {
    const Invoice invoice = ReadInvoice(xml);
    const std::string pdf = DanfePdf(invoice);
    const std::string text = danfe_test::PdfText(pdf);
    EXPECT_THAT(text, HasSubstr(nfe::GroupedKey(invoice.key)));
    EXPECT_THAT(text, HasSubstr(nfe::FormattedCnpjCpf(invoice.issuer.cnpj)));
    EXPECT_THAT(text, HasSubstr(nfe::FormattedCnpjCpf(invoice.recipient.cnpj)));
    EXPECT_THAT(text, HasSubstr(Money(invoice.totals.invoice)));
    for (const Item& item : invoice.items) {
        EXPECT_THAT(text, HasSubstr(item.code)) << invoice.key;
    }
    EXPECT_EQ(danfe_test::BarcodesOfFirstSheet(pdf), invoice.key + "\n");
}

TEST_F(DanfePdfTest, EachLayoutShowsKeyPartiesTotalAndItemsAndItsBarCodeReadsAsTheKey) {
    SCOPED_TRACE("layout 2.00");
    ExpectTheInvoiceIn(danfe_test::SampleXml("35131061024385000111550010000000111121314159"));
    SCOPED_TRACE("layout 3.10, regime normal with eleven items");
    ExpectTheInvoiceIn(danfe_test::SampleXml("35150761024385000111550010000001011102030405"));
    SCOPED_TRACE("layout 4.00");
    ExpectTheInvoiceIn(danfe_test::Layout400Xml());
}

TEST_F(DanfePdfTest, ManyItemsTakeSeveralSheetsEachWithItsNumberAndTheHeader) {
    const Invoice invoice = ReadInvoice(danfe_test::InvoiceWithItemsXml(70));
    const std::string pdf = DanfePdf(invoice);
    const std::vector<std::string> sheets = Sheets(danfe_test::PdfText(pdf));
    ASSERT_GT(sheets.size(), 1u);
    const std::string count = std::to_string(sheets.size());
    for (std::size_t n = 0; n < sheets.size(); ++n) {
        SCOPED_TRACE("sheet " + std::to_string(n + 1));
        EXPECT_THAT(sheets[n], HasSubstr("FOLHA " + std::to_string(n + 1) + "/" + count));
        EXPECT_THAT(sheets[n], HasSubstr(nfe::GroupedKey(invoice.key)));
        EXPECT_THAT(sheets[n], HasSubstr("DADOS DOS PRODUTOS / SERVIÇOS"));
    }
    // The canhoto and the recipient only on the first.
    EXPECT_THAT(sheets[0], HasSubstr("DESTINATÁRIO / REMETENTE"));
    EXPECT_THAT(sheets[1], Not(HasSubstr("DESTINATÁRIO / REMETENTE")));
    std::string all;
    for (const std::string& sheet : sheets) {
        all += sheet;
    }
    for (const Item& item : invoice.items) {
        EXPECT_THAT(all, HasSubstr(item.code));
    }
    EXPECT_EQ(danfe_test::BarcodesOfFirstSheet(pdf), invoice.key + "\n");
}

TEST_F(DanfePdfTest, TheBillShowsEveryInstalment) {
    const Invoice invoice =
        ReadInvoice(danfe_test::SampleXml("35160361024385000111550010000001091901020309"));
    ASSERT_EQ(invoice.instalments.size(), 3u);
    const std::string text = danfe_test::PdfText(DanfePdf(invoice));
    EXPECT_THAT(text, HasSubstr("FATURA / DUPLICATAS"));
    for (const Instalment& dup : invoice.instalments) {
        EXPECT_THAT(text, HasSubstr("Num.: " + dup.number));
        EXPECT_THAT(text, HasSubstr("Venc.: " + DatePart(dup.due)));
        EXPECT_THAT(text, HasSubstr("Valor: R$ " + Money(dup.value)));
    }
}

TEST_F(DanfePdfTest, TheFcpOfLayout400IsInTheTaxBlock) {
    const std::string text = danfe_test::PdfText(DanfePdf(ReadInvoice(danfe_test::Layout400Xml())));
    EXPECT_THAT(text, HasSubstr("VALOR DO FCP"));
    EXPECT_THAT(text, HasSubstr("74,52"));
    EXPECT_THAT(text, HasSubstr("89,40"));
}

TEST_F(DanfePdfTest, HomologationAndCancellationAreMarkedOnEverySheet) {
    Invoice invoice = ReadInvoice(danfe_test::InvoiceWithItemsXml(70));
    invoice.environment = "2";
    const std::vector<std::string> sheets =
        Sheets(danfe_test::PdfText(DanfePdf(invoice, {.cancelled = true})));
    ASSERT_GT(sheets.size(), 1u);
    for (const std::string& sheet : sheets) {
        EXPECT_THAT(sheet, HasSubstr("SEM VALOR FISCAL"));
        EXPECT_THAT(sheet, HasSubstr("CANCELADA"));
    }
    invoice.environment = "1";
    const std::string production = danfe_test::PdfText(DanfePdf(invoice));
    EXPECT_THAT(production, Not(HasSubstr("SEM VALOR FISCAL")));
    EXPECT_THAT(production, Not(HasSubstr("CANCELADA")));
}

TEST_F(DanfePdfTest, LongNotesContinueOnALaterSheet) {
    Invoice invoice = ReadInvoice(danfe_test::Layout400Xml());
    invoice.taxpayerNotes.clear();
    for (int n = 1; n <= 120; ++n) {
        invoice.taxpayerNotes += "OBSERVACAO NUMERO " + std::to_string(n) + " DO PEDIDO.\n";
    }
    const std::vector<std::string> sheets = Sheets(danfe_test::PdfText(DanfePdf(invoice)));
    ASSERT_GT(sheets.size(), 1u);
    EXPECT_THAT(sheets[0], HasSubstr("OBSERVACAO NUMERO 1 DO PEDIDO"));
    EXPECT_THAT(sheets.back(), HasSubstr("DADOS ADICIONAIS (CONTINUAÇÃO)"));
    EXPECT_THAT(sheets.back(), HasSubstr("OBSERVACAO NUMERO 120 DO PEDIDO"));
    EXPECT_THAT(sheets.back(), HasSubstr("FOLHA " + std::to_string(sheets.size()) + "/"));
}

TEST_F(DanfePdfTest, AnIssuerWhoseCnpjHoldsLettersHasItsKeyInSetsCAndA) {
    const std::string key =
        sample::KeyWithCheckDigit("35 2609 12ABC34501DE35 55 001 000001234 1 12345678");
    ASSERT_EQ(nfe::FormattedCnpjCpf(ReadInvoice(danfe_test::SampleXml(key)).issuer.cnpj),
              "12.ABC.345/01DE-35");
    ExpectTheInvoiceIn(danfe_test::SampleXml(key));
}

}  // namespace
}  // namespace danfe
