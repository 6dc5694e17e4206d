#include <gtest/gtest.h>

#include <string>

#include "convert/additional_information.h"
#include "convert/totals_conversion.h"
#include "convert/transport_and_billing.h"
#include "convert/w1252_literal.h"
#include "nfe/date_time.h"

namespace convert {
namespace {

nfe::Currency Units(std::int64_t units) {
    return nfe::Currency::FromUnits(units);
}

TEST(ReadTotals, ReadsEveryTotalAndLetsEventsRunOnce) {
    int events = 0;
    nfe::TICMSTot totals;
    totals.vNF = Units(99);
    ReadTotals(
        "|&|Totais|&|Base de Cálculo ICMS 100,00|&|Valor do ICMS 18,00|&|"
        "Base de Cálculo ICMS ST 50,00|&|Valor ICMS Substituição 9,00|&|"
        "Valor Total dos Produtos 0,00|&|Valor dos Produtos 150,00|&|Valor do Frete 1,00|&|"
        "Valor do Seguro 2,00|&|Outras Despesas Acessórias 3,00|&|Valor Total do IPI 4,00|&|"
        "Valor Total da NFe 1.160,00|&|Valor Total dos Descontos 5,00|&|"
        "Valor Total do II 6,00|&|Valor do PIS 7,00|&|Valor da COFINS 8,00|&|"
        "Valor Aproximado dos Tributos 12,34"_w1252,
        totals, [&] { ++events; });
    EXPECT_EQ(totals.vBC, Units(100));
    EXPECT_EQ(totals.vICMS, Units(18));
    // The first occurrence of "Base de Cálculo ICMS" is the normal base.
    EXPECT_EQ(totals.vBCST, Units(50));
    EXPECT_EQ(totals.vST, Units(9));
    EXPECT_EQ(totals.vProd, Units(150));
    EXPECT_EQ(totals.vFrete, Units(1));
    EXPECT_EQ(totals.vSeg, Units(2));
    EXPECT_EQ(totals.vOutro, Units(3));
    EXPECT_EQ(totals.vIPI, Units(4));
    EXPECT_EQ(totals.vNF, Units(1160));
    EXPECT_EQ(totals.vDesc, Units(5));
    EXPECT_EQ(totals.vII, Units(6));
    EXPECT_EQ(totals.vPIS, Units(7));
    EXPECT_EQ(totals.vCOFINS, Units(8));
    // On the block's last line, with no separator after it.
    EXPECT_EQ(totals.vTotTrib, nfe::Currency::FromRaw(123400));
    EXPECT_TRUE(totals.vICMSDeson.IsZero());
    EXPECT_EQ(events, 1);
}

TEST(ReadTotals, AnEmptyBlockGivesZeros) {
    nfe::TICMSTot totals;
    totals.vNF = Units(99);
    ReadTotals("", totals, [] {});
    EXPECT_EQ(totals, nfe::TICMSTot());
}

TEST(ReadTransport, ReadsCarrierVehicleAndOneVolume) {
    int events = 0;
    nfe::TTransp transport;
    ReadTransport(
        "|&|Dados do Transporte|&|Modalidade do Frete1 - Por conta do destinatário|&|"
        "CNPJ 11.222.333/0001-81|&|Razão Social / Nome TRANSPORTES Ú|&|"
        "Inscrição Estadual 123.456|&|Endereço Completo RUA X, 1|&|Município CAMPINAS|&|"
        "UF SP|&|Placa ABC1234|&|RNTC 1234-5|&|VOLUMES|&|Quantidade 3|&|Espécie CAIXA|&|"
        "Marca dos Volumes ACME|&|Numeração 1-3|&|Peso Líquido 10,500|&|"
        "Peso Bruto 12,250|&|"_w1252,
        transport, [&] { ++events; });
    EXPECT_EQ(transport.modFrete, nfe::TkroModalidadeFrete::mfContaDestinatario);
    EXPECT_EQ(transport.Transporta.CNPJCPF, "11222333000181");
    EXPECT_EQ(transport.Transporta.xNome, "TRANSPORTES Ú");
    EXPECT_EQ(transport.Transporta.IE, "123.456");
    EXPECT_EQ(transport.Transporta.xEnder, "RUA X, 1");
    EXPECT_EQ(transport.Transporta.xMun, "CAMPINAS");
    EXPECT_EQ(transport.Transporta.UF, "SP");
    EXPECT_EQ(transport.veicTransp.placa, "ABC1234");
    EXPECT_EQ(transport.veicTransp.UF, "SP");
    EXPECT_EQ(transport.veicTransp.RNTC, "12345");
    ASSERT_EQ(transport.Vol.Count(), 1);
    const nfe::TVolCollectionItem& volume = transport.Vol[0];
    EXPECT_EQ(volume.qVol, 3);
    EXPECT_EQ(volume.esp, "CAIXA");
    EXPECT_EQ(volume.marca, "ACME");
    EXPECT_EQ(volume.nVol, "1-3");
    EXPECT_EQ(volume.pesoL, nfe::Currency::FromRaw(105000));
    EXPECT_EQ(volume.pesoB, nfe::Currency::FromRaw(122500));
    EXPECT_EQ(events, 1);
}

TEST(ReadTransport, WithoutVolumesThereIsNoVolume) {
    int events = 0;
    nfe::TTransp transport;
    ReadTransport("Modalidade do Frete3|&|Quantidade 3|&|", transport, [&] { ++events; });
    EXPECT_EQ(transport.modFrete, nfe::TkroModalidadeFrete::mfContaEmitente);
    EXPECT_EQ(transport.Vol.Count(), 0);
    EXPECT_EQ(events, 0);
}

TEST(ReadBilling, ReadsTheBillAndItsInstalments) {
    nfe::TCobr billing;
    ReadBilling(
        "Fatura|&|Número 123|&|Valor Original 300,00|&|Valor Desconto 0,00|&|"
        "Valor Líquido 300,00|&|Duplicatas|&|Número|&|Vencimento|&|Valor |&|"
        "001|&|10/04/2015|&|100,00|&|002|&|10/05/2015|&|200,00|&|"_w1252,
        billing);
    EXPECT_EQ(billing.Fat.nFat, "123");
    EXPECT_EQ(billing.Fat.vOrig, Units(300));
    EXPECT_TRUE(billing.Fat.vDesc.IsZero());
    EXPECT_EQ(billing.Fat.vLiq, Units(300));
    ASSERT_EQ(billing.Dup.Count(), 2);
    EXPECT_EQ(billing.Dup[0].nDup, "001");
    EXPECT_DOUBLE_EQ(billing.Dup[0].dVenc, nfe::EncodeDate(2015, 4, 10));
    EXPECT_EQ(billing.Dup[0].vDup, nfe::Currency::FromRaw(1000000));
    EXPECT_EQ(billing.Dup[1].nDup, "002");
    EXPECT_DOUBLE_EQ(billing.Dup[1].dVenc, nfe::EncodeDate(2015, 5, 10));
    EXPECT_EQ(billing.Dup[1].vDup, Units(200));
}

TEST(ReadBilling, ABlankBlockHasNoBill) {
    nfe::TCobr billing;
    ReadBilling(" \t\r\n", billing);
    EXPECT_EQ(billing.Fat.nFat, "");
    ReadBilling("Valor Original 5,00|&|", billing);
    EXPECT_EQ(billing.Fat.vOrig, Units(5));
    EXPECT_EQ(billing.Dup.Count(), 0);
}

TEST(ReadInstalments, ReadsRowsWithOrWithoutTheNumberColumn) {
    struct Case {
        std::string_view rows;
        int count;
        std::string_view lastNumber;
        nfe::TDateTime lastDue;
        nfe::Currency lastValue;
    };
    const Case cases[] = {
        {"001|&|10/04/2015|&|100,00|&|002|&|10/05/2015|&|100,00|&|", 2, "002",
         nfe::EncodeDate(2015, 5, 10), Units(100)},
        {"10/04/2015|&|100,00|&|10/05/2015|&|50,00|&|", 2, "", nfe::EncodeDate(2015, 5, 10),
         Units(50)},
        // A due date that is no date reads as 0; rows stop at a cell holding "else".
        {"1|&|amanhã|&|9,00|&|else {|&|2|&|10/05/2015|&|1,00|&|"_w1252, 1, "1", 0, Units(9)},
        {"if (x) else|&|001|&|10/04/2015|&|100,00|&|", 0, "", 0, {}},
        {"", 0, "", 0, {}},
        {"1234", 0, "", 0, {}},
        // Four characters or fewer left end the rows, separator or not.
        {"1|&|10/04/2015|&|1,00|&|2|&|", 1, "1", nfe::EncodeDate(2015, 4, 10), Units(1)},
        // Cells without a separator are skipped two characters at a time.
        {"12345", 1, "", 0, {}},
    };
    for (const Case& c : cases) {
        nfe::TDupCollection instalments;
        ReadInstalments(c.rows, instalments);
        ASSERT_EQ(instalments.Count(), c.count) << c.rows;
        if (c.count > 0) {
            const nfe::TDupCollectionItem& last = instalments[c.count - 1];
            EXPECT_EQ(last.nDup, c.lastNumber) << c.rows;
            EXPECT_DOUBLE_EQ(last.dVenc, c.lastDue) << c.rows;
            EXPECT_EQ(last.vDup, c.lastValue) << c.rows;
        }
    }
}

TEST(ReadAdditionalInformation, ReadsPrintFormatAndBothNotes) {
    nfe::TNFe nfe;
    ReadAdditionalInformation(
        "Informações Adicionais|&|Formato de Impressão DANFE 4 - NFC-e|&|"
        "Informações Adicionais de Interesse do Fisco|&|DescriçãoNOTA  DO FISCO|&|"
        "Informações Complementares de Interesse do Contribuinte|&|Descrição|&| PEDIDO 7|&|"_w1252,
        nfe);
    // The later of the two pairs with the code "4" wins.
    EXPECT_EQ(nfe.Ide.tpImp, nfe::TkroTipoImpressao::tiNFCeA4);
    EXPECT_EQ(nfe.InfAdic.infAdFisco, "NOTA  DO FISCO");
    EXPECT_EQ(nfe.InfAdic.infCpl, "PEDIDO 7");
}

TEST(ReadAdditionalInformation, NotesNeedTheirHeadingsAsThePortalWritesThem) {
    nfe::TNFe nfe;
    ReadAdditionalInformation(
        "INFORMAÇÕES ADICIONAIS DE INTERESSE DO FISCO|&|DescriçãoX|&|"
        "informações complementares de interesse do contribuinte|&|Descrição|&| Y|&|"_w1252,
        nfe);
    EXPECT_EQ(nfe.InfAdic.infAdFisco, "");
    EXPECT_EQ(nfe.InfAdic.infCpl, "");
    EXPECT_EQ(nfe.Ide.tpImp, nfe::TkroTipoImpressao::tiSemGeracao);

    // Folding only touches ASCII letters, so capitals elsewhere still match; a note on the
    // last line has no end and stays empty.
    ReadAdditionalInformation("INFORMAçõES ADICIONAIS DE INTERESSE DO FISCO|&|DescriçãoFIM"_w1252,
                              nfe);
    EXPECT_EQ(nfe.InfAdic.infAdFisco, "");
    ReadAdditionalInformation("INFORMAçõES ADICIONAIS DE INTERESSE DO FISCO|&|DescriçãoA|&|"_w1252,
                              nfe);
    EXPECT_EQ(nfe.InfAdic.infAdFisco, "A");
    ReadAdditionalInformation("Informações Adicionais de Interesse do Fisco"_w1252, nfe);
    EXPECT_EQ(nfe.InfAdic.infAdFisco, "");
}

}  // namespace
}  // namespace convert
