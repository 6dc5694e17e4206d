#include "danfe/invoice_reader.h"

#include <gtest/gtest.h>

#include "danfe/cancellation.h"
#include "danfe/danfe_error.h"
#include "sample/dfe/invoice_documents.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace danfe {
namespace {

const std::string kKey = "35240361024385000111550010000001131171819201";

std::string Layout400() {
    return test_support::ReadFile(test_support::FixturePath("danfe", "layout400.xml"));
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(InvoiceReader, ReadsWhatTheDanfeShowsOfALayout400Invoice) {
    const Invoice invoice = ReadInvoice(Layout400());
    EXPECT_EQ(invoice.key, kKey);
    EXPECT_EQ(invoice.layout, "4.00");
    EXPECT_EQ(invoice.issued, "2024-03-05T10:15:00-03:00");
    EXPECT_EQ(invoice.protocol, "135240001234567");
    EXPECT_EQ(invoice.issuer.cnpj, "61024385000111");
    EXPECT_EQ(invoice.issuer.substituteStateRegistration, "9988776655");
    EXPECT_EQ(invoice.recipient.address.city, "BELO HORIZONTE");
    EXPECT_EQ(invoice.totals.fcp, "74.52");
    EXPECT_EQ(invoice.totals.fcpSt, "89.40");
    EXPECT_EQ(invoice.totals.invoice, "5146.68");
    ASSERT_EQ(invoice.instalments.size(), 2u);
    EXPECT_EQ(invoice.instalments[1].due, "2024-05-04");
    EXPECT_EQ(invoice.transport.carrierDocument, "12345678000195");
    EXPECT_EQ(invoice.transport.grossWeight, "225.000");
    ASSERT_EQ(invoice.items.size(), 2u);
    const Item& first = invoice.items[0];
    EXPECT_EQ(first.cst, "010");
    EXPECT_EQ(first.icmsValue, "447.12");
    EXPECT_EQ(first.ipiRate, "5.00");
    EXPECT_EQ(invoice.items[1].notes, "LOTE 2024-03");
    EXPECT_EQ(invoice.taxpayerNotes,
              "PEDIDO 4471. MERCADORIA ENTREGUE NO ENDERECO DO DESTINATARIO.");
    EXPECT_FALSE(invoice.homologation());
}

TEST(InvoiceReader, RefusesWhatIsNotAnAuthorisedInvoice) {
    const std::string xml = Layout400();
    const std::pair<std::string, std::string> cases[] = {
        {"isto não é XML", "não é um XML válido"},
        {"<resNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"/>", "não é um nfeProc"},
        {Replaced(xml, "<cStat>100</cStat>", "<cStat>302</cStat>"), "situação 302"},
        {xml.substr(0, xml.find("<protNFe")) + "</nfeProc>", "falta o protocolo"},
        {Replaced(xml, "<infNFe versao=\"4.00\"", "<infNFe versao=\"1.10\""), "leiaute 1.10"},
        {Replaced(xml, "<chNFe>" + kKey, "<chNFe>35240361024385000111550010000001141171819206"),
         "protocolo de autorização é de outra chave"},
    };
    for (const auto& [text, reason] : cases) {
        try {
            ReadInvoice(text);
            ADD_FAILURE() << "accepted: " << reason;
        } catch (const Error& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
    }
}

TEST(Cancellation, OnlyARegisteredCancellationOfTheSameKeyCounts) {
    const std::string invoiceXml = Layout400();
    const std::string event = sample::CancellationEvent(sample::ReadInvoiceFacts(invoiceXml));
    EXPECT_TRUE(IsCancellationOf(event, kKey));
    EXPECT_TRUE(IsCancellationOf(Replaced(event, "<cStat>135", "<cStat>155"), kKey));
    EXPECT_FALSE(IsCancellationOf(event, "35240361024385000111550010000001141171819206"));
    EXPECT_FALSE(IsCancellationOf(Replaced(event, "<cStat>135", "<cStat>573"), kKey));
    EXPECT_FALSE(IsCancellationOf(Replaced(event, "<tpEvento>110111", "<tpEvento>210210"), kKey));
    EXPECT_FALSE(IsCancellationOf("<procEventoNFe", kKey));
    EXPECT_FALSE(IsCancellationOf(invoiceXml, kKey));

    const test_support::TemporaryDirectory folder;
    EXPECT_FALSE(CancellationBeside(folder.path(), kKey));
    // Another event of the key, and a file of the right name that is no cancellation.
    test_support::WriteFile(folder / (kKey + "-210210-01-procEventoNFe.xml"), event);
    test_support::WriteFile(folder / (kKey + "-110111-02-procEventoNFe.xml"), "<x/>");
    EXPECT_FALSE(CancellationBeside(folder.path(), kKey));
    test_support::WriteFile(folder / (kKey + "-110111-01-procEventoNFe.xml"), event);
    EXPECT_TRUE(CancellationBeside(folder.path(), kKey));
    EXPECT_FALSE(CancellationBeside(folder / "missing", kKey));
}

}  // namespace
}  // namespace danfe
