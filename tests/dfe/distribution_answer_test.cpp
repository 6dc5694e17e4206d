#include "dfe/distribution_answer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dfe/error.h"
#include "dfe/received_document.h"
#include "tests/support/file_contents.h"

namespace dfe {
namespace {

using ::testing::HasSubstr;

std::string Fixture(const std::string& name) {
    return test_support::ReadFile(test_support::FixturePath("dfe", name));
}

constexpr char kOperation[] =
    "<nfeDistDFeInteresseResponse xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
    "NFeDistribuicaoDFe\"><nfeDistDFeInteresseResult>";
constexpr char kOperationEnd[] = "</nfeDistDFeInteresseResult></nfeDistDFeInteresseResponse>";

// The answer text around a retDistDFeInt body.
std::string Answer(const std::string& inside) {
    return "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body>" +
           std::string(kOperation) +
           "<retDistDFeInt xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.01\">" + inside +
           "</retDistDFeInt>" + kOperationEnd + "</soap:Body></soap:Envelope>";
}

TEST(ParseDistributionAnswer, ReadsTheServicesAnswerWithItsDocuments) {
    const DistributionAnswer answer = ParseDistributionAnswer(Fixture("answer_138.xml"));
    EXPECT_EQ(answer.cStat, 138);
    EXPECT_EQ(answer.xMotivo, "Documento localizado");
    EXPECT_EQ(answer.dhResp, "2015-07-03T11:20:31-03:00");
    EXPECT_EQ(answer.lastNsu, 412u);
    EXPECT_EQ(answer.maxNsu, 420u);
    ASSERT_EQ(answer.documents.size(), 2u);
    EXPECT_EQ(answer.documents[0].nsu, 411u);
    EXPECT_EQ(answer.documents[0].schema, "resNFe_v1.01.xsd");
    EXPECT_EQ(answer.documents[1].schema, "procEventoNFe_v1.00.xsd");

    const ReceivedDocument summary = ReadReceivedDocument(answer.documents[0]);
    EXPECT_EQ(summary.kind, DocumentKind::invoiceSummary);
    EXPECT_EQ(summary.FileName(), "35150761024385000111550010000001011102030405-resNFe.xml");
    EXPECT_EQ(ReadReceivedDocument(answer.documents[1]).FileName(),
              "35150761024385000111550010000001011102030405-110111-01-procEventoNFe.xml");

    const DistributionAnswer refusal = ParseDistributionAnswer(Fixture("answer_656.xml"));
    EXPECT_EQ(refusal.cStat, kExcessiveUse);
    EXPECT_THAT(refusal.xMotivo, HasSubstr("Consumo Indevido"));
    EXPECT_TRUE(refusal.documents.empty());
}

TEST(ParseDistributionAnswer, FieldsMayBeMissingOrSurroundedByBlanks) {
    const DistributionAnswer answer =
        ParseDistributionAnswer(Answer("<cStat> 137 </cStat><xMotivo>\n Nenhum \n</xMotivo>"));
    EXPECT_EQ(answer.cStat, 137);
    EXPECT_EQ(answer.xMotivo, "Nenhum");
    EXPECT_FALSE(answer.lastNsu);
    EXPECT_FALSE(answer.maxNsu);
}

TEST(ParseDistributionAnswer, RefusesWhatIsNotTheServicesAnswer) {
    struct Case {
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {"", "não é um XML válido"},
        {"<html><body>Service Unavailable</body></html>", "não traz o retorno da distribuição"},
        {"<a><b></a>", "não é um XML válido"},
        {Fixture("soap_fault.xml"),
         "falha SOAP: Server was unable to process request. ---> Object reference"},
        {"<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY x \"y\">]><a>&x;</a>", "DOCTYPE"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- a --><?pi x?> <!DOCTYPE a><a/>", "DOCTYPE"},
        // The same element names without the NF-e namespace are not the answer.
        {"<retDistDFeInt><cStat>138</cStat></retDistDFeInt>", "não traz o retorno"},
        // Nor is a copy in a SOAP header, or one straight in the body.
        {"<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Header>" +
             std::string(kOperation) +
             "<retDistDFeInt xmlns=\"http://www.portalfiscal.inf.br/nfe\"><cStat>138</cStat>"
             "</retDistDFeInt>" +
             kOperationEnd + "</soap:Header><soap:Body/></soap:Envelope>",
         "não traz o retorno"},
        {"<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\"><soap:Body>"
         "<retDistDFeInt xmlns=\"http://www.portalfiscal.inf.br/nfe\"><cStat>138</cStat>"
         "</retDistDFeInt></soap:Body></soap:Envelope>",
         "não traz o retorno"},
        {Answer("<xMotivo>sem código</xMotivo>"), "cStat"},
        {Answer("<cStat>13</cStat>"), "cStat"},
        {Answer("<cStat>138</cStat><ultNSU>12a</ultNSU>"), "ultNSU"},
        {Answer("<cStat>138</cStat><maxNSU>1000000000000000</maxNSU>"), "até 15 dígitos"},
        {Answer("<cStat>138</cStat><loteDistDFeInt><docZip schema=\"resNFe_v1.01.xsd\">x"
                "</docZip></loteDistDFeInt>"),
         "NSU"},
        // Bytes that the declared encoding cannot decode.
        {"<?xml version=\"1.0\" encoding=\"ISO-2022-JP\"?><a>\x1b\xff\xfe</a>",
         "não é um XML válido"},
    };
    for (const Case& c : cases) {
        testing::internal::CaptureStderr();
        try {
            ParseDistributionAnswer(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const AnswerError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message)) << c.text;
        }
        // The reason is in the exception; nothing of it goes to the terminal.
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << c.text;
    }
}

}  // namespace
}  // namespace dfe
