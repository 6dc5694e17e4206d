#include "convert/item_conversion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "nfe/conversion_error.h"
#include "tests/convert/item_page_lines.h"

namespace convert {
namespace {

using namespace nfe;
using testing::ListHeader;
using testing::PageLines;

TNFe Convert(std::string_view productsBlock) {
    TNFe nfe;
    ConvertItems(productsBlock, nfe, [] {});
    return nfe;
}

TEST(ConvertItems, LetsTheGuiRunOnceAndCreatesNoItemWithoutProducts) {
    int calls = 0;
    TNFe nfe;
    ConvertItems("", nfe, [&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(nfe.Det.Count(), 0);

    ConvertItems(PageLines({"Dados dos Produtos e Serviços", "Nenhum item"}), nfe, [] {});
    EXPECT_EQ(nfe.Det.Count(), 0);
}

TEST(ConvertItems, ReadsTheShortestItemList) {
    // Item 1 starts at the column title "(R$)", which goes; its marker has the plain form and
    // the block's last line has no separator, so "CFOP" there reads nothing.
    const TNFe nfe =
        Convert(ListHeader() + PageLines({"(R$)", "1", "Sabão em pó (R$) 1kg", "2,0000", "UN",
                                          "3,00", "Código do Produto 77", "CFOP 5102"}));
    ASSERT_EQ(nfe.Det.Count(), 1);
    const TProd& prod = nfe.Det[0].Prod;
    EXPECT_EQ(prod.nItem, 1);
    EXPECT_EQ(prod.xProd, "Sabão em pó  1kg");
    EXPECT_EQ(prod.vProd, Currency::FromDouble(3));
    EXPECT_EQ(prod.cProd, "77");
    EXPECT_EQ(prod.CFOP, "");
}

TEST(ConvertItems, ReadsTheProductFields) {
    const std::string block =
        ListHeader() +
        PageLines({"(R$)", "1", "Parafuso de aço", "10,0000", "UN", "25,50",
                   "Código do Produto P-001", "Código NCM 73181500", "Código EX da TIPI 01",
                   "CFOP 5102", "Valor Total do Frete 1,50", "Código EAN Comercial 7891234567895",
                   "Unidade Comercial UN", "Quantidade Comercial 10,0000",
                   "Código EAN Tributável 7891234567896", "Unidade Tributável CX",
                   "Quantidade Tributável 1,0000", "Valor unitário de comercialização 2,5500000001",
                   "Valor unitário de tributação 25,5", "Valor do Desconto 0,30",
                   "Outras despesas acessórias 0,20", "Valor do Seguro 0,10",
                   "Indicador de Composição do Valor Total da NF-e 1 - Sim",
                   "Item do pedido de compra 3",
                   // The separator after the item's last line starts the next marker, so
                   // this order number reads as empty.
                   "Número do Pedido de Compra PED-77",
                   // Item 2: blank marker, a unit line in front of the EAN line, no indicator.
                   "2 ", "Arruela", "5,0000", "PC", "1.234,56", "Código do Produto P-002",
                   "Unidade Comercial ZZ", "Código EAN Comercial SEM GTIN", "Unidade Comercial PC",
                   "Item do pedido de compra x", ""});
    const TNFe nfe = Convert(block);
    ASSERT_EQ(nfe.Det.Count(), 2);

    TProd first;
    first.nItem = 1;
    first.xProd = "Parafuso de aço";
    first.vProd = Currency::FromDouble(25.5);
    first.cProd = "P-001";
    first.NCM = "73181500";
    first.EXTIPI = "01";
    first.CFOP = "5102";
    first.vFrete = Currency::FromDouble(1.5);
    first.cEAN = "7891234567895";
    first.uCom = "UN";
    first.qCom = Currency::FromDouble(10);
    first.cEANTrib = "7891234567896";
    first.uTrib = "CX";
    first.qTrib = Currency::FromDouble(1);
    first.vUnCom = 2.5500000001;
    first.vUnTrib = 25.5;
    first.vDesc = Currency::FromDouble(0.3);
    first.vOutro = Currency::FromDouble(0.2);
    first.vSeg = Currency::FromDouble(0.1);
    first.IndTot = TkroIndicadorTotal::itSomaTotalNFe;
    first.nItemPed = 3;
    EXPECT_EQ(nfe.Det[0].Prod, first);

    TProd second;
    second.nItem = 2;
    second.xProd = "Arruela";
    second.vProd = Currency::FromDouble(1234.56);
    second.cProd = "P-002";
    second.cEAN = "SEM GTIN";
    second.uCom = "PC";
    second.IndTot = TkroIndicadorTotal::itNaoSomaTotalNFe;
    EXPECT_EQ(nfe.Det[1].Prod, second);
}

TEST(ConvertItems, TakesTheProductValueFromTheLastLineBeforeTheCode) {
    const std::pair<std::string, double> cases[] = {
        {PageLines({"", "1", "Alfa", "2,0000", "UN", "3,00", "Código do Produto 77", ""}), 3},
        {PageLines({"", "1 ", "Alfa", "2,0000", "UN", "4,00", "Código do Produto 77", ""}), 4},
        {PageLines({"", "1", "Alfa", "2,0000", "UN", "3,00", "CFOP 5102", ""}), 0},
        {PageLines({"", "1", "Alfa", "", "Código do Produto 77", ""}), 0},
        // A blank marker of 1 after the code line starts a slice as long as the text in front
        // of that line: the code line inside the slice ends it, or the slice's last line counts.
        {PageLines({"", "1", "Alfa, descrição longa de quarenta caracteres", "Código do Produto 77",
                    "1 ", "9,00", "Código do Produto 78", ""}),
         9},
        {PageLines({"", "1", "Alfa", "Código do Produto 77", "1 ", "9,00", "8,00",
                    "Código do Produto 78", ""}),
         0},
    };
    for (const auto& [block, expected] : cases) {
        const TNFe nfe = Convert(block);
        ASSERT_EQ(nfe.Det.Count(), 1) << block;
        EXPECT_EQ(nfe.Det[0].Prod.vProd, Currency::FromDouble(expected)) << block;
    }
}

TEST(ConvertItems, SkipsNumbersWhoseTextIsEmpty) {
    // Markers 1, 2 and 4: three items counted, the cut at 3 fails, so item 2 takes the rest.
    const TNFe nfe = Convert(PageLines({"", "1", "Alfa", "2", "Beta", "4", "Delta", ""}));
    ASSERT_EQ(nfe.Det.Count(), 2);
    EXPECT_EQ(nfe.Det[0].Prod.nItem, 1);
    EXPECT_EQ(nfe.Det[1].Prod.nItem, 2);
    EXPECT_EQ(nfe.Det[1].Prod.xProd, "Beta");
}

const std::string kVehicle = PageLines(
    {"", "1", "Automóvel", "Chassi do veículo 9BWZZZ377VT004251", "Cor 01",
     "Descrição da cor PRATA", "Serial (Série) 12345", "Tipo de Combustível 02",
     "Número de Motor MOT123", "Ano Modelo de Fabricação 2015", "Ano de Fabricação 2014", ""});

TEST(ConvertItems, ReadsTheVehicle) {
    TveicProd expected;
    expected.chassi = "9BWZZZ377VT004251";
    expected.cCor = "01";
    expected.xCor = "PRATA";
    expected.nSerie = "12345";
    expected.tpComb = "02";
    expected.nMotor = "MOT123";
    expected.anoMod = 2015;
    expected.anoFab = 2014;
    EXPECT_EQ(Convert(kVehicle).Det[0].Prod.veicProd, expected);

    // "Cor " also ends "Descrição da cor ", which comes first here.
    const std::string colourLast =
        PageLines({"", "1", "Moto", "Chassi do veículo X1", "Descrição da cor AZUL", "Cor 02",
                   "Ano Modelo de Fabricação 2020", "Ano de Fabricação 2020", ""});
    EXPECT_EQ(Convert(colourLast).Det[0].Prod.veicProd.cCor, "AZUL");

    EXPECT_EQ(Convert(PageLines({"", "1", "Pneu", "Cor 01", ""})).Det[0].Prod.veicProd,
              TveicProd{});
}

TEST(ConvertItems, FailsOnAVehicleYearThatIsNoNumber) {
    const std::string cases[] = {
        PageLines({"", "1", "Carro", "Chassi do veículo X1", "Ano Modelo de Fabricação 2015", ""}),
        PageLines({"", "1", "Carro", "Chassi do veículo X1", "Ano Modelo de Fabricação 20l5",
                   "Ano de Fabricação 2014", ""}),
    };
    for (const std::string& block : cases) {
        EXPECT_THROW(
            {
                try {
                    Convert(block);
                } catch (const ConversionError& error) {
                    EXPECT_THAT(error.what(), ::testing::StartsWith("Item 1: "));
                    throw;
                }
            },
            ConversionError)
            << block;
    }
}

TEST(ConvertItems, ReadsTheMedicineLots) {
    const std::string block = PageLines(
        {"", "1", "Dipirona", "Código do Produto 5", "Detalhamento específico dos medicamentos",
         "Medicamento 2", "Nro. do Lote L2", "Quantidade de produtos no lote 10,000",
         "Data de fabricação 01/02/2015", "Data de validade 01/02/2017",
         "Preço Máximo Consumidor 12,34", "Medicamento 10", "Nro. do Lote L10",
         "Quantidade de produtos no lote 5,000", "Data de fabricação 03/04/2016",
         "Data de validade 03/04/2018", "Preço Máximo Consumidor 20,00"});
    const TNFe nfe = Convert(block);
    ASSERT_EQ(nfe.Det.Count(), 1);
    const TmedCollection& lots = nfe.Det[0].Prod.med;
    // Lot 1 is missing, but "Medicamento 1" is found at the start of "Medicamento 10"; the last
    // value needs no separator after it.
    ASSERT_EQ(lots.Count(), 3);
    TmedCollectionItem lot10;
    lot10.nLote = "L10";
    lot10.qLote = Currency::FromDouble(5);
    lot10.dFab = EncodeDate(2016, 4, 3);
    lot10.dVal = EncodeDate(2018, 4, 3);
    lot10.vPMC = Currency::FromDouble(20);
    EXPECT_EQ(lots[0], lot10);
    EXPECT_EQ(lots[1].nLote, "L2");
    EXPECT_EQ(lots[1].qLote, Currency::FromDouble(10));
    EXPECT_EQ(lots[1].dFab, EncodeDate(2015, 2, 1));
    EXPECT_EQ(lots[1].dVal, EncodeDate(2017, 2, 1));
    EXPECT_EQ(lots[1].vPMC, Currency::FromDouble(12.34));
    EXPECT_EQ(lots[2], lot10);

    // A lot without a label of its own reads it from a later lot.
    const TNFe borrowed = Convert(PageLines(
        {"", "1", "X", "Detalhamento específico dos medicamentos", "Medicamento 1",
         "Data de fabricação 01/02/2015", "Data de validade 01/02/2017", "Medicamento 2",
         "Nro. do Lote L2", "Data de fabricação 01/02/2015", "Data de validade 01/02/2017"}));
    ASSERT_EQ(borrowed.Det[0].Prod.med.Count(), 2);
    EXPECT_EQ(borrowed.Det[0].Prod.med[0].nLote, "L2");
}

TEST(ConvertItems, FailsOnAMedicineDateThatIsNoDate) {
    const std::string block =
        PageLines({"", "1", "Dipirona", "Detalhamento específico dos medicamentos", "Medicamento 1",
                   "Data de fabricação 01/02/2015", "Data de validade 31/02/2017"});
    EXPECT_THROW(Convert(block), ConversionError);
}

TEST(ConvertItems, ReadsTheAdditionalInformation) {
    const std::pair<std::string, std::string> cases[] = {
        {PageLines(
             {"", "1", "Vaso", "Informações adicionais do produto", "Descrição Produto frágil"}),
         "Produto frágil"},
        // Without the heading on a line of its own the first "Descrição" of the item counts.
        {PageLines({"", "1", "Vaso", "Descrição da cor AZUL",
                    "Informações adicionais do produto:", "Descrição Produto frágil"}),
         "da cor AZUL"},
        {PageLines({"", "1", "Vaso", "Descrição Produto frágil", ""}), ""},
    };
    for (const auto& [block, expected] : cases) {
        EXPECT_EQ(Convert(block).Det[0].infAdProd, expected) << block;
    }
}

// The tax steps move the item text on: medicines and additional information are read from the
// text that COFINS left.
TEST(ConvertItems, ReadsEveryPartOfAnItemInTurn) {
    const std::string block = PageLines({"",
                                         "1",
                                         "Dipirona 500mg",
                                         "10,0000",
                                         "CX",
                                         "50,00",
                                         "Código do Produto 5",
                                         "Valor Aproximado dos Tributos 8.15",
                                         "Origem da Mercadoria 0",
                                         "Tributação do ICMS 00",
                                         "Modalidade Definição da BC do ICMS 3",
                                         "Base de Cálculo do ICMS Normal 50,00",
                                         "Alíquota do ICMS Normal 18,00",
                                         "Valor do ICMS Normal 9,00",
                                         "Número do Pedido de Compra 4501",
                                         "Imposto Sobre Produtos Industrializados",
                                         "CST 53",
                                         "PIS",
                                         "CST 01",
                                         "Base de Cálculo 50,00",
                                         "Alíquota 0,65",
                                         "Valor 0,33",
                                         "COFINS",
                                         "CST 01",
                                         "Base de Cálculo 50,00",
                                         "Alíquota 3,00",
                                         "Valor 1,50",
                                         "Detalhamento específico dos medicamentos",
                                         "Medicamento 1",
                                         "Nro. do Lote A1",
                                         "Data de fabricação 01/02/2015",
                                         "Data de validade 01/02/2017",
                                         "Informações adicionais do produto",
                                         "Descrição Uso adulto",
                                         "2",
                                         "Água",
                                         "1,0000",
                                         "UN",
                                         "2,00",
                                         "Código do Produto 6",
                                         "Descrição Gelada"});
    const TNFe nfe = Convert(block);
    ASSERT_EQ(nfe.Det.Count(), 2);
    const TDetCollectionItem& item = nfe.Det[0];
    EXPECT_EQ(item.Prod.vProd, Currency::FromDouble(50));
    EXPECT_EQ(item.Imposto.vTotTrib, Currency::FromDouble(8.15));
    EXPECT_EQ(item.Imposto.ICMS.vICMS, Currency::FromDouble(9));
    EXPECT_EQ(item.Prod.xPed, "4501");
    EXPECT_EQ(item.Imposto.IPI.CST, TkroCstIpi::ipi53);
    EXPECT_EQ(item.Imposto.PIS.vPIS, Currency::FromDouble(0.33));
    EXPECT_EQ(item.Imposto.COFINS.vCOFINS, Currency::FromDouble(1.5));
    ASSERT_EQ(item.Prod.med.Count(), 1);
    EXPECT_EQ(item.Prod.med[0].nLote, "A1");
    EXPECT_EQ(item.infAdProd, "Uso adulto");
    EXPECT_EQ(nfe.Det[1].Prod.xProd, "Água");
    EXPECT_EQ(nfe.Det[1].Prod.vProd, Currency::FromDouble(2));
    EXPECT_EQ(nfe.Det[1].infAdProd, "");
}

TEST(ConvertItems, ReadsTheLongestItemList) {
    std::string block = ListHeader() + "(R$)";
    for (int n = 1; n <= 990; ++n) {
        const std::string number = std::to_string(n);
        block += PageLines({"", number, "Produto " + number, "1,0000", "UN", number + ",50",
                            "Código do Produto P" + number, "Tributação do ICMS 00",
                            "Base de Cálculo do ICMS Normal " + number + ",00", "PIS", "CST 01",
                            "COFINS", "CST 01", "Valor 1,00"});
    }
    const TNFe nfe = Convert(block);
    ASSERT_EQ(nfe.Det.Count(), 990);
    for (const int n : {1, 2, 495, 989, 990}) {
        const TDetCollectionItem& item = nfe.Det[n - 1];
        const std::string number = std::to_string(n);
        EXPECT_EQ(item.Prod.nItem, n);
        EXPECT_EQ(item.Prod.xProd, "Produto " + number);
        EXPECT_EQ(item.Prod.vProd, Currency::FromDouble(n + 0.5));
        EXPECT_EQ(item.Prod.cProd, "P" + number);
        EXPECT_EQ(item.Imposto.ICMS.vBC, Currency::FromDouble(n));
        EXPECT_EQ(item.Imposto.COFINS.vCOFINS, Currency::FromDouble(1));
    }
}

}  // namespace
}  // namespace convert
