#include <gtest/gtest.h>

#include <string>

#include "convert/page_sections.h"
#include "convert/w1252_literal.h"

namespace convert {
namespace {

TEST(CutPageSections, CutsAFullPageAtEveryHeading) {
    const std::string page = std::string(
        "Chave de acesso 1|&|Dados da NF-e|&|Modelo 55|&|EMITENTE|&|CNPJ 1|&|Destinatário|&|"
        "CNPJ 2|&|Emissão|&|Processo 0|&|Dados do Emitente|&|Nome A|&|Dados do Destinatário|&|"
        "Nome B|&|Dados dos Produtos e Serviços|&|1|&|Item|&|Totais|&|Valor 1|&|"
        "Dados do Transporte|&|Placa X|&|Informações Adicionais|&|Nota"_w1252);
    const PageSections s = CutPageSections(page);
    EXPECT_EQ(s.top, "Chave de acesso 1|&|");
    EXPECT_EQ(s.invoiceData, "Dados da NF-e|&|Modelo 55|&|");
    EXPECT_EQ(s.emitterSummary, "EMITENTE|&|CNPJ 1");
    EXPECT_EQ(s.recipientSummary, "|&|Destinatário|&|CNPJ 2"_w1252);
    EXPECT_EQ(s.emissionAndStatus, "|&|Emissão|&|Processo 0|&|"_w1252);
    // "Dados do Remetente" is missing: the recipient's heading ends the emitter's block.
    EXPECT_EQ(s.emitterDetail, "Dados do Emitente|&|Nome A|&|");
    EXPECT_EQ(s.recipientDetail, "Dados do Destinatário|&|Nome B|&|"_w1252);
    EXPECT_EQ(s.products, "Dados dos Produtos e Serviços|&|1|&|Item"_w1252);
    EXPECT_EQ(s.totals, "|&|Totais|&|Valor 1");
    EXPECT_EQ(s.transportAndBilling, "|&|Dados do Transporte|&|Placa X|&|");
    EXPECT_EQ(s.additionalInformation, "Informações Adicionais|&|Nota"_w1252);
}

TEST(CutPageSections, TakesTheHeadingsInCapitalsWhenTheUsualOnesAreMissing) {
    const std::string page = std::string(
        "Dados da NF-e|&|EMITENTE|&|CNPJ 1|&|DESTINATÁRIO |&|CNPJ 2|&|EMISSÃO|&|Processo 0|&|"
        "Dados do Emitente|&|Nome A|&|Dados do Remetente|&|Nome B|&|"_w1252);
    const PageSections s = CutPageSections(page);
    EXPECT_EQ(s.emitterSummary, "EMITENTE|&|CNPJ 1");
    EXPECT_EQ(s.recipientSummary, "|&|DESTINATÁRIO |&|CNPJ 2|&|"_w1252);
    EXPECT_EQ(s.emissionAndStatus, "EMISSÃO|&|Processo 0|&|"_w1252);
    EXPECT_EQ(s.emitterDetail, "Dados do Emitente|&|Nome A|&|");
}

TEST(CutPageSections, AMissingHeadingLeavesItsSectionEmptyAndTheNextOneTakesOver) {
    const std::string page = std::string(
        "Dados dos Produtos e Serviços|&|1|&|Item|&|Totais|&|Valor 1|&|"
        "Informações Adicionais|&|Nota"_w1252);
    const PageSections s = CutPageSections(page);
    EXPECT_EQ(s.top, "");
    EXPECT_EQ(s.recipientDetail, "");
    EXPECT_EQ(s.products, "Dados dos Produtos e Serviços|&|1|&|Item"_w1252);
    EXPECT_EQ(s.totals, "");
    EXPECT_EQ(s.transportAndBilling, "|&|Totais|&|Valor 1|&|");
    EXPECT_EQ(s.additionalInformation, "Informações Adicionais|&|Nota"_w1252);
}

TEST(CutPageSections, WithoutTheNotesHeadingThereIsNoTransportBlockEither) {
    const PageSections s = CutPageSections("|&|Totais|&|Valor 1|&|Dados do Transporte|&|Placa X");
    EXPECT_EQ(s.totals, "|&|Totais|&|Valor 1");
    EXPECT_EQ(s.transportAndBilling, "");
    EXPECT_EQ(s.additionalInformation, "");
    EXPECT_EQ(s.products, "");
}

TEST(CutPageSections, AnEmptyPageHasOnlyEmptySections) {
    const PageSections s = CutPageSections("");
    for (const std::string* section :
         {&s.top, &s.invoiceData, &s.emitterSummary, &s.recipientSummary, &s.emissionAndStatus,
          &s.emitterDetail, &s.recipientDetail, &s.products, &s.totals, &s.transportAndBilling,
          &s.additionalInformation}) {
        EXPECT_EQ(*section, "");
    }
}

}  // namespace
}  // namespace convert
