#include "convert/item_taxes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>

#include "tests/convert/item_page_lines.h"

namespace convert {
namespace {

using namespace nfe;
using testing::PageLines;

}  // namespace
}  // namespace convert

namespace nfe {
// Readable failures: the fields of the ICMS group in declaration order.
void PrintTo(const TICMS& icms, std::ostream* out) {
    const auto money = [](Currency value) { return value.ToDouble(); };
    *out << "orig " << int(icms.orig) << ", CST " << int(icms.CST) << ", CSOSN " << int(icms.CSOSN)
         << ", modBC " << int(icms.modBC) << ", pRedBC " << money(icms.pRedBC) << ", vBC "
         << money(icms.vBC) << ", pICMS " << money(icms.pICMS) << ", vICMS " << money(icms.vICMS)
         << ", modBCST " << int(icms.modBCST) << ", pMVAST " << money(icms.pMVAST) << ", pRedBCST "
         << money(icms.pRedBCST) << ", vBCST " << money(icms.vBCST) << ", pICMSST "
         << money(icms.pICMSST) << ", vICMSST " << money(icms.vICMSST) << ", vBCSTRet "
         << money(icms.vBCSTRet) << ", vICMSSTRet " << money(icms.vICMSSTRet) << ", pCredSN "
         << money(icms.pCredSN) << ", vCredICMSSN " << money(icms.vCredICMSSN) << ", vICMSOp "
         << money(icms.vICMSOp) << ", pDif " << money(icms.pDif) << ", vICMSDif "
         << money(icms.vICMSDif);
}
}  // namespace nfe

namespace convert {
namespace {

struct IcmsCase {
    const char* name;
    std::string itemText;                // without the separator after its last line
    std::function<void(TICMS&)> expect;  // the fields that differ from a new TICMS
};

TEST(ReadIcms, ReadsTheValuesOfEachRegimeNormalSituation) {
    const IcmsCase cases[] = {
        {"00 reads the whole rate",
         PageLines({"Origem da Mercadoria 0 - Nacional", "Tributação do ICMS 00 - Integral",
                    "Modalidade Definição da BC do ICMS 3 - Valor da operação",
                    "Base de Cálculo do ICMS Normal 100,00", "Alíquota do ICMS Normal 17,25",
                    "Valor do ICMS Normal 17,25"}),
         [](TICMS& icms) {
             icms.modBC = TkroDeterminacaoBaseIcms::dbiValorOperacao;
             icms.vBC = Currency::FromDouble(100);
             icms.pICMS = Currency::FromDouble(17.25);
             icms.vICMS = Currency::FromDouble(17.25);
         }},
        {"00 reads the number that starts the rate's line",
         PageLines({"Tributação do ICMS 00 - Integral", "Alíquota do ICMS Normal 7,00 %",
                    "Valor do ICMS Normal 7,00"}),
         [](TICMS& icms) {
             icms.pICMS = Currency::FromDouble(7);
             icms.vICMS = Currency::FromDouble(7);
         }},
        {"10",
         PageLines({"Origem da Mercadoria 1 - Estrangeira", "Tributação do ICMS 10 - ST",
                    "Modalidade Definição da BC do ICMS 0 - Margem",
                    "Base de Cálculo do ICMS Normal 100,00", "Alíquota do ICMS Normal 18,00",
                    "Valor do ICMS Normal 18,00", "Base de Cálculo do ICMS ST 150,00",
                    "Alíquota do ICMS ST 18,00", "Valor do ICMS ST 9,00",
                    "Modalidade Definição da BC ICMS ST 4 - MVA",
                    "Percentual do MVA do ICMS ST 50,00"}),
         [](TICMS& icms) {
             icms.orig = TkroOrigemMercadoria::oeEstrangeiraImportacaoDireta;
             icms.CST = TkroCSTIcms::cst10;
             icms.vBC = Currency::FromDouble(100);
             icms.pICMS = Currency::FromDouble(18);
             icms.vICMS = Currency::FromDouble(18);
             icms.vBCST = Currency::FromDouble(150);
             icms.pICMSST = Currency::FromDouble(18);
             icms.vICMSST = Currency::FromDouble(9);
             icms.modBCST = TkroDeterminacaoBaseIcmsST::dbisMargemValorAgregado;
             icms.pMVAST = Currency::FromDouble(50);
         }},
        {"20 takes the first line that starts with Valor",
         PageLines({"Tributação do ICMS 20 - Com redução", "Modalidade Definição da BC do ICMS 3",
                    "Percentual Redução de BC do ICMS Normal 10,00", "Base de Cálculo 90,00",
                    "Alíquota 12,00", "VALOR 10,80", "Valor do ICMS 99,00"}),
         [](TICMS& icms) {
             icms.CST = TkroCSTIcms::cst20;
             icms.modBC = TkroDeterminacaoBaseIcms::dbiValorOperacao;
             icms.pRedBC = Currency::FromDouble(10);
             icms.vBC = Currency::FromDouble(90);
             icms.pICMS = Currency::FromDouble(12);
             icms.vICMS = Currency::FromDouble(10.8);
         }},
        {"30",
         PageLines({"Tributação do ICMS 30", "Modalidade de Determinação da BC do ICMS ST5",
                    "Valor da BC do ICMS ST 200,00", "Alíquota do Imposto do ICMS ST 18,00",
                    "Valor do ICMS ST 36,00"}),
         [](TICMS& icms) {
             icms.CST = TkroCSTIcms::cst30;
             icms.modBCST = TkroDeterminacaoBaseIcmsST::dbisPauta;
             icms.vBCST = Currency::FromDouble(200);
             icms.pICMSST = Currency::FromDouble(18);
             icms.vICMSST = Currency::FromDouble(36);
         }},
        {"51",
         PageLines({"Tributação do ICMS 51 - Diferimento",
                    "Modalidade de determinação da BC do ICMS 3 - Valor",
                    "Valor da BC do ICMS 100,00", "Percentual da Redução de BC 0,00",
                    "Alíquota do imposto 18,00", "Valor do ICMS 6,00",
                    "Valor do ICMS da Operação 18,00", "Percentual do Diferimento 66,6667",
                    "Valor do ICMS Diferido 12,00"}),
         [](TICMS& icms) {
             icms.CST = TkroCSTIcms::cst51;
             icms.modBC = TkroDeterminacaoBaseIcms::dbiValorOperacao;
             icms.vBC = Currency::FromDouble(100);
             icms.pICMS = Currency::FromDouble(18);
             icms.vICMS = Currency::FromDouble(6);
             icms.vICMSOp = Currency::FromDouble(18);
             icms.pDif = Currency::FromDouble(66.6667);
             icms.vICMSDif = Currency::FromDouble(12);
         }},
        {"60",
         PageLines({"Tributação do ICMS 60", "Valor da BC do ICMS ST retido 10,00",
                    "Valor do ICMS ST retido 1,80"}),
         [](TICMS& icms) {
             icms.CST = TkroCSTIcms::cst60;
             icms.vBCSTRet = Currency::FromDouble(10);
             icms.vICMSSTRet = Currency::FromDouble(1.8);
         }},
        {"70 reads the margin again under MVA and reads from the rate on",
         PageLines({"Valor do ICMS 1,00", "Tributação do ICMS 70", "Modalidade 1 - Pauta",
                    "Percentual Redução de BC do ICMS Normal 20,00", "Base de Cálculo 80,00",
                    "Valor do ICMS ST 2,00", "Alíquota 18,00", "Valor do ICMS 14,40",
                    "Percentual da Margen de Valor Adicionado do ICMS ST 40,00",
                    "Percentual da Redução de BC do ICMS ST 10,00", "Valor da BC do ICMS ST 120,00",
                    "Alíquota do Imposto do ICMS ST 18,00", "Valor do ICMS ST 7,20",
                    "Modalidade Definição da BC ICMS ST4"}),
         [](TICMS& icms) {
             icms.CST = TkroCSTIcms::cst70;
             icms.modBC = TkroDeterminacaoBaseIcms::dbiPauta;
             icms.pRedBC = Currency::FromDouble(20);
             icms.vBC = Currency::FromDouble(80);
             icms.pICMS = Currency::FromDouble(18);
             icms.vICMS = Currency::FromDouble(14.4);
             icms.pRedBCST = Currency::FromDouble(10);
             icms.vBCST = Currency::FromDouble(120);
             icms.pICMSST = Currency::FromDouble(18);
             icms.vICMSST = Currency::FromDouble(7.2);
             icms.modBCST = TkroDeterminacaoBaseIcmsST::dbisMargemValorAgregado;
         }},
        {"91 takes the 90 branch",
         PageLines(
             {"Tributação do ICMS 91", "Modalidade 2 - Preço tabelado", "Base de Cálculo 50,00",
              "Alíquota 12,00", "Valor do ICMS 6,00", "Valor da BC do ICMS ST 60,00",
              "Alíquota do Imposto do ICMS ST 17,00", "Valor do ICMS ST 4,20",
              "Modalidade de Determinação da BC do ICMS ST 3 - Lista neutra",
              "Percentual da MVA do ICMS ST 30,00", "Percentual da Redução de BC do ICMS ST 5,00"}),
         [](TICMS& icms) {
             icms.CST = TkroCSTIcms::cstICMSOutraUF;
             icms.modBC = TkroDeterminacaoBaseIcms::dbiPrecoTabelado;
             icms.vBC = Currency::FromDouble(50);
             icms.pICMS = Currency::FromDouble(12);
             icms.vICMS = Currency::FromDouble(6);
             icms.vBCST = Currency::FromDouble(60);
             icms.pICMSST = Currency::FromDouble(17);
             icms.vICMSST = Currency::FromDouble(4.2);
             icms.modBCST = TkroDeterminacaoBaseIcmsST::dbisListaNeutra;
             icms.pMVAST = Currency::FromDouble(30);
             icms.pRedBCST = Currency::FromDouble(5);
         }},
        {"41 reads the Normal labels, absent here",
         PageLines({"Tributação do ICMS 41 - Não tributada", "Valor do ICMS 5,00"}),
         [](TICMS& icms) { icms.CST = TkroCSTIcms::cst41; }},
        {"no tax section at all", PageLines({"Código do Produto 1"}), [](TICMS&) {}},
    };
    for (const IcmsCase& c : cases) {
        TICMS expected;
        c.expect(expected);
        TICMS icms;
        ReadIcms(c.itemText + "|&|", icms);
        EXPECT_EQ(icms, expected) << c.name;
    }
}

TEST(ReadIcms, ReadsTheValuesOfEachSimplesNacionalSituation) {
    const IcmsCase cases[] = {
        {"102 under the third label, credit still read",
         PageLines({"Código de Situação da Operação - Simples Nacional 102 - Sem crédito",
                    "Valor de crédito do ICMS 5,00", "Modalidade 3",
                    "Base de Cálculo do ICMS Normal 10,00"}),
         [](TICMS& icms) {
             icms.CSOSN = TkroCSOSNIcms::csosn102;
             icms.vCredICMSSN = Currency::FromDouble(5);
         }},
        {"101 under the label with a question mark",
         PageLines({"Código de Situação da Operação ? Simples Nacional 101 - Com crédito",
                    "Alíquota aplicável de cálculo do crédito 2,56",
                    "Valor de crédito do ICMS 2,56"}),
         [](TICMS& icms) {
             icms.CSOSN = TkroCSOSNIcms::csosn101;
             icms.pCredSN = Currency::FromDouble(2.56);
             icms.vCredICMSSN = Currency::FromDouble(2.56);
         }},
        {"500",
         PageLines({"Código de Situação da Operação - Simples Nacional 500",
                    "Modalidade Definição da BC do ICMS 3", "Valor da BC do ICMS ST retido 10,00",
                    "Valor do ICMS ST retido 1,80"}),
         [](TICMS& icms) {
             icms.CSOSN = TkroCSOSNIcms::csosn500;
             icms.modBC = TkroDeterminacaoBaseIcms::dbiValorOperacao;
             icms.vBCSTRet = Currency::FromDouble(10);
             icms.vICMSSTRet = Currency::FromDouble(1.8);
         }},
        {"201 reads the credit again under its own labels",
         PageLines({"Simples Nacional201 - Com crédito e ST",
                    "Modalidade de Determinação da BC do ICMS ST4",
                    "Alíquota aplicável de cálculo do crédito 1,25",
                    "Valor de crédito do ICMS 3,00",
                    "Percentual Margem Valor Adicionado do ICMS ST 35,00",
                    "Valor da BC do ICMS ST 135,00", "Alíquota do imposto do ICMS ST 18,00",
                    "Valor do ICMS ST 6,30"}),
         [](TICMS& icms) {
             icms.CSOSN = TkroCSOSNIcms::csosn201;
             icms.modBCST = TkroDeterminacaoBaseIcmsST::dbisMargemValorAgregado;
             icms.pCredSN = Currency::FromDouble(1.25);
             icms.pMVAST = Currency::FromDouble(35);
             icms.vBCST = Currency::FromDouble(135);
             icms.pICMSST = Currency::FromDouble(18);
             icms.vICMSST = Currency::FromDouble(6.3);
         }},
        {"203 takes the 202 branch",
         PageLines({"Código de Situação da Operação - Simples Nacional 203",
                    "ModalidadedeDeterminaçãodaBCdoICMSST 5",
                    "Percentual Margem Valor Adicionado ICMS ST 30,00",
                    "Valor BC do ICMS ST 130,00", "Alíquota Imposto ICMS ST 17,00",
                    "Valor do ICMS ST 5,10"}),
         [](TICMS& icms) {
             icms.CSOSN = TkroCSOSNIcms::csosn203;
             icms.modBCST = TkroDeterminacaoBaseIcmsST::dbisPauta;
             icms.pMVAST = Currency::FromDouble(30);
             icms.vBCST = Currency::FromDouble(130);
             icms.pICMSST = Currency::FromDouble(17);
             icms.vICMSST = Currency::FromDouble(5.1);
         }},
        {"900 without a CST falls to the Normal labels",
         PageLines({"Código de Situação da Operação - Simples Nacional 900",
                    "Valor da BC do ICMS ST 10,00", "Base de Cálculo 10,00"}),
         [](TICMS& icms) { icms.CSOSN = TkroCSOSNIcms::csosn900; }},
    };
    for (const IcmsCase& c : cases) {
        TICMS expected;
        c.expect(expected);
        TICMS icms;
        ReadIcms(c.itemText + "|&|", icms);
        EXPECT_EQ(icms, expected) << c.name;
    }
}

TEST(ReadApproximateTaxTotal, TakesAPointAsTheDecimalSeparator) {
    const std::pair<std::string_view, double> cases[] = {
        {"12.34", 12.34}, {"25,10", 25.1}, {"1.025,10", 0}, {"", 0}};
    for (const auto& [value, expected] : cases) {
        TImposto imposto;
        ReadApproximateTaxTotal(
            PageLines({"x", "Valor Aproximado dos Tributos " + std::string(value), ""}), imposto);
        EXPECT_EQ(imposto.vTotTrib, Currency::FromDouble(expected)) << value;
    }
}

const std::string kIcmsLines =
    PageLines({"Tributação do ICMS 00", "Base de Cálculo do ICMS Normal 999,00",
               "Alíquota do ICMS Normal 18,00", "Valor IPI 9,99", "CST 99"});

TEST(ReadIpi, ReadsFromItsHeadingOn) {
    struct Case {
        const char* name;
        std::string section;
        TIPI expected;
    };
    const Case cases[] = {
        {"taxed by rate",
         PageLines({"Imposto Sobre Produtos Industrializados", "Código de Enquadramento 999",
                    "CST 50 - Saída tributada", "Base de Cálculo 100,00", "Alíquota 10,00",
                    "Valor IPI 10,00"}),
         [] {
             TIPI ipi;
             ipi.cEnq = "999";
             ipi.CST = TkroCstIpi::ipi50;
             ipi.vBC = Currency::FromDouble(100);
             ipi.pIPI = Currency::FromDouble(10);
             ipi.vIPI = Currency::FromDouble(10);
             return ipi;
         }()},
        {"taxed by unit",
         PageLines({"Imposto Sobre Produtos Industrializados", "CST 50",
                    "Qtd Total Unidade Padrão 5,0000", "Valor por Unidade 2,00",
                    "Valor IPI 10,00"}),
         [] {
             TIPI ipi;
             ipi.CST = TkroCstIpi::ipi50;
             ipi.qUnid = Currency::FromDouble(5);
             ipi.vUnid = Currency::FromDouble(2);
             ipi.vIPI = Currency::FromDouble(10);
             return ipi;
         }()},
        {"not taxed",
         PageLines({"Imposto Sobre Produtos Industrializados", "Código de Enquadramento 999",
                    "CST 53 - Saída não tributada"}),
         [] {
             TIPI ipi;
             ipi.cEnq = "999";
             ipi.CST = TkroCstIpi::ipi53;
             return ipi;
         }()},
    };
    for (const Case& c : cases) {
        const std::string item = kIcmsLines + "|&|" + c.section + "|&|PIS";
        std::string_view itemText = item;
        TIPI ipi;
        ReadIpi(itemText, ipi);
        EXPECT_EQ(ipi, c.expected) << c.name;
        EXPECT_EQ(itemText, c.section + "|&|PIS") << c.name;
    }

    std::string_view withoutIpi = kIcmsLines;
    TIPI ipi;
    ReadIpi(withoutIpi, ipi);
    EXPECT_EQ(ipi, TIPI{});
    EXPECT_EQ(withoutIpi, kIcmsLines);
}

TEST(ReadImportTax, NeedsTextAfterTheHeading) {
    const std::string capitals =
        PageLines({"IMPOSTO DE IMPORTAÇÃO", "Base de Cálculo 1.000,00", "Despesas Aduaneiras 50,00",
                   "Imposto de Importação 100,00", "IOF 3,80", ""});
    TII expected;
    expected.vBc = Currency::FromDouble(1000);
    expected.vDespAdu = Currency::FromDouble(50);
    expected.vII = Currency::FromDouble(100);
    expected.vIOF = Currency::FromDouble(3.8);

    const std::string item = kIcmsLines + "|&|" + capitals;
    std::string_view itemText = item;
    TII ii;
    ReadImportTax(itemText, ii);
    EXPECT_EQ(ii, expected);
    EXPECT_EQ(itemText, capitals);

    // A mixed-case line is enough, but without the heading in capitals nothing is cut.
    const std::string mixedCase =
        PageLines({"Base de Cálculo 20,00", "Imposto de Importação 2,00", "IOF 0,10"});
    itemText = mixedCase;
    ii = {};
    ReadImportTax(itemText, ii);
    EXPECT_EQ(ii.vBc, Currency::FromDouble(20));
    EXPECT_EQ(ii.vII, Currency::FromDouble(2));
    EXPECT_EQ(itemText, mixedCase);

    const std::string headingAlone = PageLines({"IMPOSTO DE IMPORTA", "IOF 3,80", ""});
    itemText = headingAlone;
    ii = {};
    ReadImportTax(itemText, ii);
    EXPECT_EQ(ii, TII{});
}

TEST(ReadPisAndCofins, ReadFromTheirLinesOn) {
    const std::string pisSection =
        PageLines({"", "PIS", "CST 01 - Operação tributável", "Base de Cálculo 100,00",
                   "Alíquota (%) 1,65", "Valor do PIS 1,65"});
    // The value of COFINS stands on the last line, without a separator after it.
    const std::string cofinsSection = PageLines(
        {"", "COFINS", "CST 02", "Base de Cálculo 100,00", "Alíquota 7,60", "Valor 7,60"});
    const std::string item = kIcmsLines + pisSection + cofinsSection;
    std::string_view itemText = item;

    TPIS pis;
    ReadPis(itemText, pis);
    EXPECT_EQ(itemText, pisSection + cofinsSection);
    TPIS expectedPis;
    expectedPis.CST = TkroCstPis::pis01;
    expectedPis.vBC = Currency::FromDouble(100);
    expectedPis.pPIS = Currency::FromDouble(1.65);
    expectedPis.vPIS = Currency::FromDouble(1.65);
    EXPECT_EQ(pis, expectedPis);

    TCOFINS cofins;
    ReadCofins(itemText, cofins);
    EXPECT_EQ(itemText, cofinsSection);
    TCOFINS expectedCofins;
    expectedCofins.CST = TkroCstCofins::cof02;
    expectedCofins.vBC = Currency::FromDouble(100);
    expectedCofins.pCOFINS = Currency::FromDouble(7.6);
    expectedCofins.vCOFINS = Currency::FromDouble(7.6);
    EXPECT_EQ(cofins, expectedCofins);
}

TEST(ReadPisAndCofins, AWordThatHoldsTheNameCutsNothing) {
    const std::string item =
        PageLines({"x", "Base de Cálculo 20,00", "CST 99", "Valor PIS/COFINS 0,65", ""});
    std::string_view itemText = item;
    TPIS pis;
    ReadPis(itemText, pis);
    EXPECT_EQ(itemText, item);
    EXPECT_EQ(pis.vBC, Currency::FromDouble(20));
    EXPECT_EQ(pis.CST, TkroCstPis::pis99);
    EXPECT_EQ(pis.vPIS, Currency());  // "PIS/COFINS 0,65" is no number

    TCOFINS cofins;
    ReadCofins(itemText, cofins);
    EXPECT_EQ(itemText, item);
    EXPECT_EQ(cofins.vBC, Currency::FromDouble(20));

    std::string_view withoutEither = "Base de Cálculo 20,00|&|";
    TPIS untouched;
    ReadPis(withoutEither, untouched);
    EXPECT_EQ(untouched, TPIS{});
}

}  // namespace
}  // namespace convert
