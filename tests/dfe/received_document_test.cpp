#include "dfe/received_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "dfe/error.h"
#include "sample/dfe/doc_zip_packing.h"

namespace dfe {
namespace {

using ::testing::HasSubstr;

constexpr const char* kKey = "35150761024385000111550010000001011102030405";
const std::string kNs = " xmlns=\"http://www.portalfiscal.inf.br/nfe\"";

DocZip Zip(std::uint64_t nsu, std::string schema, const std::string& xml) {
    return {nsu, std::move(schema), sample::PackDocZip(xml)};
}

std::string Invoice(const std::string& key) {
    return "<nfeProc" + kNs + " versao=\"4.00\"><NFe><infNFe Id=\"NFe" + key +
           "\"/></NFe><protNFe versao=\"4.00\"><infProt><chNFe>" + key +
           "</chNFe></infProt></protNFe></nfeProc>";
}

std::string Event(const std::string& root, const std::string& type, const std::string& sequence) {
    const std::string fields = "<chNFe>" + std::string(kKey) + "</chNFe><tpEvento>" + type +
                               "</tpEvento><nSeqEvento>" + sequence + "</nSeqEvento>";
    if (root == "resEvento") {
        return "<resEvento" + kNs + ">" + fields + "</resEvento>";
    }
    return "<procEventoNFe" + kNs + "><evento><infEvento>" + fields +
           "</infEvento></evento></procEventoNFe>";
}

TEST(ReadReceivedDocument, NamesEachKindOfDocumentAfterItsKey) {
    struct Case {
        DocZip zip;
        DocumentKind kind;
        std::string fileName;
    };
    const std::string key = kKey;
    const Case cases[] = {
        {Zip(7, "procNFe_v4.00.xsd", Invoice(key)), DocumentKind::invoice, key + "-procNFe.xml"},
        {Zip(7, "procNFe_v3.10.xsd", Invoice(key)), DocumentKind::invoice, key + "-procNFe.xml"},
        {Zip(8, "resNFe_v1.01.xsd", "<resNFe" + kNs + "><chNFe>" + key + "</chNFe></resNFe>"),
         DocumentKind::invoiceSummary, key + "-resNFe.xml"},
        {Zip(9, "procEventoNFe_v1.00.xsd", Event("procEventoNFe", "110111", "1")),
         DocumentKind::event, key + "-110111-01-procEventoNFe.xml"},
        {Zip(10, "resEvento_v1.01.xsd", Event("resEvento", "210210", " 12 ")),
         DocumentKind::eventSummary, key + "-210210-12-resEvento.xml"},
        {Zip(11, "resCTe_v1.00.xsd", "<resCTe/>"), DocumentKind::other, "NSU-000000000000011.xml"},
        // The text of a DOCTYPE in an invoice's notes is content, not a declaration.
        {Zip(12, "procNFe_v4.00.xsd",
             "<?xml version=\"1.0\"?><!-- x --><nfeProc" + kNs + "><NFe><infNFe Id=\"NFe" + key +
                 "\"><infAdic><infCpl><![CDATA[<!DOCTYPE html>]]></infCpl></infAdic></infNFe>"
                 "</NFe><protNFe><infProt><chNFe>" +
                 key + "</chNFe></infProt></protNFe></nfeProc>"),
         DocumentKind::invoice, key + "-procNFe.xml"},
    };
    for (const Case& c : cases) {
        const ReceivedDocument document = ReadReceivedDocument(c.zip);
        EXPECT_EQ(document.kind, c.kind) << c.zip.schema;
        EXPECT_EQ(document.FileName(), c.fileName);
        EXPECT_EQ(document.nsu, c.zip.nsu);
    }
}

TEST(ReadReceivedDocument, RefusesDocumentsWhoseNamesCouldNotBeTrusted) {
    struct Case {
        DocZip zip;
        std::string message;
    };
    std::string wrongDigit = kKey;
    wrongDigit.back() = '6';
    const Case cases[] = {
        {Zip(1, "procNFe_v4.00.xsd", Invoice(wrongDigit)), "chave de acesso válida"},
        {Zip(1, "procNFe_v4.00.xsd", Invoice("../../../../etc/passwd")), "chave de acesso válida"},
        {Zip(1, "procNFe_v4.00.xsd", Invoice(std::string(kKey) + "0")), "chave de acesso válida"},
        // An invoice whose own Id is not the key of its authorisation.
        {Zip(1, "procNFe_v4.00.xsd",
             "<nfeProc" + kNs +
                 "><NFe><infNFe Id=\"NFe35150761024385000111550010000001021102030400\"/>"
                 "</NFe><protNFe><infProt><chNFe>" +
                 std::string(kKey) + "</chNFe></infProt></protNFe></nfeProc>"),
         "não é a da sua autorização"},
        {Zip(1, "procNFe_v4.00.xsd",
             "<nfeProc" + kNs + "><NFe/><protNFe><infProt><chNFe>" + std::string(kKey) +
                 "</chNFe></infProt></protNFe></nfeProc>"),
         "não é a da sua autorização"},
        {Zip(1, "procNFe_v4.00.xsd", "<resNFe" + kNs + "><chNFe>" + kKey + "</chNFe></resNFe>"),
         "não é um nfeProc"},
        {Zip(1, "resNFe_v1.01.xsd", "<resNFe><chNFe>" + std::string(kKey) + "</chNFe></resNFe>"),
         "não é um resNFe"},
        {Zip(2, "procEventoNFe_v1.00.xsd", Event("procEventoNFe", "11011", "1")), "tipo de evento"},
        {Zip(2, "procEventoNFe_v1.00.xsd", Event("procEventoNFe", "110111", "100")),
         "tipo de evento"},
        {Zip(2, "procEventoNFe_v1.00.xsd", Event("procEventoNFe", "110111", "0")),
         "tipo de evento"},
        {Zip(2, "resEvento_v1.01.xsd", Event("resEvento", "110111", "1/")), "tipo de evento"},
        {Zip(3, "resNFe_v1.01.xsd", "texto solto"), "O documento NSU 000000000000003"},
        {{4, "resNFe_v1.01.xsd", sample::PackBrokenDocZip(std::string(2000, 'a'))},
         "O documento NSU 000000000000004 (resNFe_v1.01.xsd) não pôde ser aberto: o gzip"},
    };
    for (const Case& c : cases) {
        try {
            ReadReceivedDocument(c.zip);
            ADD_FAILURE() << "accepted: " << c.zip.schema << " " << c.message;
        } catch (const AnswerError& error) {
            EXPECT_THAT(error.what(), HasSubstr(c.message));
        }
    }
}

}  // namespace
}  // namespace dfe
