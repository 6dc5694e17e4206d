#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "nfe/date_time.h"
#include "nfe/nfe_writer.h"
#include "tests/nfe/writer_output.h"

namespace nfe {
namespace {

using writer_test::Group;
using writer_test::Render;
using writer_test::WriterOutput;

constexpr double k110 = 1.1;
constexpr double k200 = 2.0;
constexpr double k300 = 3.0;
constexpr double k310 = 3.1;

// A document with one ordinary item, sold under the given layout.
TNFe Documento(double versao) {
    TNFe nfe;
    nfe.infNFe.SetVersao(versao);
    nfe.Ide.modelo = 55;
    TDetCollectionItem& det = nfe.Det.Add();
    det.Prod.nItem = 1;
    det.Prod.cProd = "001";
    det.Prod.xProd = "Parafuso";
    det.Prod.NCM = "73181500";
    det.Prod.CFOP = "5.102";
    det.Prod.uCom = "UN";
    det.Prod.qCom = Currency::FromDouble(2);
    det.Prod.vUnCom = 2.5;
    det.Prod.vProd = Currency::FromDouble(5);
    det.Prod.uTrib = "UN";
    det.Prod.qTrib = Currency::FromDouble(2);
    det.Prod.vUnTrib = 2.5;
    return nfe;
}

std::string Det(TNFe& nfe, const std::function<void(TNFeW&)>& ajustar = {}) {
    return Group(Render(nfe, ajustar).xml, "det");
}

int Contar(const std::vector<std::string>& alertas, const std::string& trecho) {
    return static_cast<int>(std::count_if(alertas.begin(), alertas.end(), [&](const auto& a) {
        return a.find(trecho) != std::string::npos;
    }));
}

TEST(TNFeWItens, WritesTheItemAndItsProductByLayout) {
    struct Caso {
        double versao;
        std::string prod;
    };
    const Caso casos[] = {
        {k310,
         "<prod><cProd>001</cProd><cEAN/><xProd>Parafuso</xProd><NCM>73181500</NCM>"
         "<CFOP>5102</CFOP><uCom>UN</uCom><qCom>2.0000</qCom><vUnCom>2.5000000000</vUnCom>"
         "<vProd>5.00</vProd><cEANTrib/><uTrib>UN</uTrib><qTrib>2.0000</qTrib>"
         "<vUnTrib>2.5000000000</vUnTrib><indTot>1</indTot></prod>"},
        // Before 2.00: unit values with four decimals and no total indicator.
        {k110,
         "<prod><cProd>001</cProd><cEAN/><xProd>Parafuso</xProd><NCM>73181500</NCM>"
         "<CFOP>5102</CFOP><uCom>UN</uCom><qCom>2.0000</qCom><vUnCom>2.5000</vUnCom>"
         "<vProd>5.00</vProd><cEANTrib/><uTrib>UN</uTrib><qTrib>2.0000</qTrib>"
         "<vUnTrib>2.5000</vUnTrib></prod>"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.versao);
        TNFe nfe = Documento(caso.versao);
        nfe.Det[0].Prod.nItem = 7;
        nfe.Det[0].infAdProd = "  Lote   A & B ";
        const std::string det = Det(nfe);
        EXPECT_THAT(det, testing::StartsWith("<det nItem=\"7\">" + caso.prod + "<imposto>"));
        EXPECT_THAT(det,
                    testing::EndsWith("</imposto><infAdProd>Lote A &amp; B</infAdProd></det>"));
    }

    // The optional charges appear only when they carry a value; NCM may be left out before 2.00.
    TNFe nfe = Documento(k110);
    nfe.Det[0].Prod.NCM = "";
    nfe.Det[0].Prod.vFrete = Currency::FromDouble(1.5);
    nfe.Det[0].Prod.vOutro = Currency::FromDouble(0.25);
    const std::string prod = Group(Det(nfe), "prod");
    EXPECT_THAT(prod, testing::HasSubstr("<xProd>Parafuso</xProd><CFOP>5102</CFOP>"));
    EXPECT_THAT(prod, testing::HasSubstr("<vUnTrib>2.5000</vUnTrib><vFrete>1.50</vFrete>"
                                         "<vOutro>0.25</vOutro></prod>"));
}

struct CasoIcms {
    const char* nome;
    double versao;
    TkroCRT crt;
    std::function<void(TICMS&)> preencher;
    std::string esperado;  // the inner group
};

void VerificarIcms(const CasoIcms& caso) {
    SCOPED_TRACE(caso.nome);
    TNFe nfe = Documento(caso.versao);
    nfe.Emit.CRT = caso.crt;
    caso.preencher(nfe.Det[0].Imposto.ICMS);
    EXPECT_EQ(Group(Det(nfe), "ICMS"), "<ICMS>" + caso.esperado + "</ICMS>");
}

// Values of a sale with tax substitution.
void ComST(TICMS& icms) {
    icms.modBCST = TkroDeterminacaoBaseIcmsST::dbisMargemValorAgregado;
    icms.pMVAST = Currency::FromDouble(40);
    icms.vBCST = Currency::FromDouble(140);
    icms.pICMSST = Currency::FromDouble(18);
    icms.vICMSST = Currency::FromDouble(7.2);
}

void ComProprio(TICMS& icms) {
    icms.modBC = TkroDeterminacaoBaseIcms::dbiValorOperacao;
    icms.vBC = Currency::FromDouble(100);
    icms.pICMS = Currency::FromDouble(18);
    icms.vICMS = Currency::FromDouble(18);
}

const std::string kST =
    "<modBCST>4</modBCST><pMVAST>40.0000</pMVAST><vBCST>140.00</vBCST>"
    "<pICMSST>18.0000</pICMSST><vICMSST>7.20</vICMSST>";

TEST(TNFeWItens, RendersEachIcmsSituationCode) {
    using enum TkroCSTIcms;
    const auto normal = TkroCRT::crtRegimeNormal;
    const CasoIcms casos[] = {
        {"00 with zeros, whatever the CSOSN", k310, normal,
         [](TICMS& i) { i.CSOSN = TkroCSOSNIcms::csosn101; },
         "<ICMS00><orig>0</orig><CST>00</CST><modBC>0</modBC><vBC>0.00</vBC>"
         "<pICMS>0.0000</pICMS><vICMS>0.00</vICMS></ICMS00>"},
        {"00 in 2.00, excess revenue", k200, TkroCRT::crtSimplesExcessoReceita,
         [](TICMS& i) {
             i.orig = TkroOrigemMercadoria::oeEstrangeiraImportacaoDireta;
             ComProprio(i);
         },
         "<ICMS00><orig>1</orig><CST>00</CST><modBC>3</modBC><vBC>100.00</vBC>"
         "<pICMS>18.00</pICMS><vICMS>18.00</vICMS></ICMS00>"},
        {"10", k310, normal,
         [](TICMS& i) {
             i.CST = cst10;
             ComProprio(i);
             ComST(i);
             i.pRedBC = Currency::FromDouble(10);
         },
         "<ICMS10><orig>0</orig><CST>10</CST><modBC>3</modBC><vBC>100.00</vBC>"
         "<pICMS>18.0000</pICMS><vICMS>18.00</vICMS>" +
             kST + "</ICMS10>"},
        {"10 with a partition", k310, normal,
         [](TICMS& i) {
             i.CST = cst10;
             ComProprio(i);
             ComST(i);
             i.pRedBC = Currency::FromDouble(10);
             i.UFST = "SP";
             i.pBCOp = Currency::FromDouble(50);
         },
         "<ICMSPart><orig>0</orig><CST>10</CST><modBC>3</modBC><vBC>100.00</vBC>"
         "<pRedBC>10.00</pRedBC><pICMS>18.0000</pICMS><vICMS>18.00</vICMS>" +
             kST + "<pBCOp>50.0000</pBCOp><UFST>SP</UFST></ICMSPart>"},
        {"20 relieved, 3.10", k310, normal,
         [](TICMS& i) {
             i.CST = cst20;
             ComProprio(i);
             i.pRedBC = Currency::FromDouble(10);
             i.vICMSDeson = Currency::FromDouble(5);
             i.motDesICMS = TkroMotivoDesoneracaoICMS::mdiSuframa;
         },
         "<ICMS20><orig>0</orig><CST>20</CST><modBC>3</modBC><pRedBC>10.0000</pRedBC>"
         "<vBC>100.00</vBC><pICMS>18.0000</pICMS><vICMS>18.00</vICMS>"
         "<vICMSDeson>5.00</vICMSDeson><motDesICMS>7</motDesICMS></ICMS20>"},
        {"20 relieved, 2.00 has no relief", k200, normal,
         [](TICMS& i) {
             i.CST = cst20;
             ComProprio(i);
             i.pRedBC = Currency::FromDouble(10);
             i.vICMSDeson = Currency::FromDouble(5);
         },
         "<ICMS20><orig>0</orig><CST>20</CST><modBC>3</modBC><pRedBC>10.00</pRedBC>"
         "<vBC>100.00</vBC><pICMS>18.00</pICMS><vICMS>18.00</vICMS></ICMS20>"},
        {"30 relieved", k310, normal,
         [](TICMS& i) {
             i.CST = cst30;
             ComST(i);
             i.vICMSDeson = Currency::FromDouble(2);
         },
         "<ICMS30><orig>0</orig><CST>30</CST>" + kST +
             "<vICMSDeson>2.00</vICMSDeson><motDesICMS>1</motDesICMS></ICMS30>"},
        {"40 without relief", k310, normal, [](TICMS& i) { i.CST = cst40; },
         "<ICMS40><orig>0</orig><CST>40</CST></ICMS40>"},
        {"40 with an ICMS value", k310, normal,
         [](TICMS& i) {
             i.CST = cst40;
             i.vICMS = Currency::FromDouble(12);
         },
         "<ICMS40><orig>0</orig><CST>40</CST><vICMS>12.00</vICMS><motDesICMS>1</motDesICMS>"
         "</ICMS40>"},
        {"50 relieved", k310, normal,
         [](TICMS& i) {
             i.CST = cst50;
             i.vICMS = Currency::FromDouble(12);
             i.vICMSDeson = Currency::FromDouble(3);
             i.motDesICMS = TkroMotivoDesoneracaoICMS::mdiOutros;
         },
         "<ICMS40><orig>0</orig><CST>50</CST><vICMSDeson>3.00</vICMSDeson>"
         "<motDesICMS>9</motDesICMS></ICMS40>"},
        {"41 with retained values", k310, normal,
         [](TICMS& i) {
             i.CST = cst41;
             i.vBCSTRet = Currency::FromDouble(10);
         },
         "<ICMSST><orig>0</orig><CST>41</CST><vBCSTRet>10.00</vBCSTRet>"
         "<vICMSSTRet>0.00</vICMSSTRet><vBCSTDest>0.00</vBCSTDest>"
         "<vICMSSTDest>0.00</vICMSSTDest></ICMSST>"},
        {"51 deferred", k310, normal,
         [](TICMS& i) {
             i.CST = cst51;
             i.vBC = Currency::FromDouble(100);
             i.pDif = Currency::FromDouble(33.33);
             i.vICMS = Currency::FromDouble(12);
         },
         "<ICMS51><orig>0</orig><CST>51</CST><modBC>0</modBC><vBC>100.00</vBC>"
         "<pDif>33.3300</pDif><vICMS>12.00</vICMS></ICMS51>"},
        {"60 retained, 2.00", k200, normal,
         [](TICMS& i) {
             i.CST = cst60;
             i.vBCSTRet = Currency::FromDouble(50);
             i.vICMSSTRet = Currency::FromDouble(9);
         },
         "<ICMS60><orig>0</orig><CST>60</CST><vBCSTRet>50.00</vBCSTRet>"
         "<vICMSSTRet>9.00</vICMSSTRet></ICMS60>"},
        {"60 without retained values", k310, normal, [](TICMS& i) { i.CST = cst60; },
         "<ICMS60><orig>0</orig><CST>60</CST></ICMS60>"},
        {"60 before 2.00", k110, normal, [](TICMS& i) { i.CST = cst60; },
         "<ICMS60><orig>0</orig><CST>60</CST><vBCST>0.00</vBCST><vICMSST>0.00</vICMSST>"
         "</ICMS60>"},
        // From 3.00 the relief of 70 is written, before the four-decimal rates of 3.10.
        {"70 relieved, 3.00", k300, normal,
         [](TICMS& i) {
             i.CST = cst70;
             ComProprio(i);
             ComST(i);
             i.vICMSDeson = Currency::FromDouble(1);
         },
         "<ICMS70><orig>0</orig><CST>70</CST><modBC>3</modBC><pRedBC>0.00</pRedBC>"
         "<vBC>100.00</vBC><pICMS>18.00</pICMS><vICMS>18.00</vICMS><modBCST>4</modBCST>"
         "<pMVAST>40.00</pMVAST><vBCST>140.00</vBCST><pICMSST>18.00</pICMSST>"
         "<vICMSST>7.20</vICMSST><vICMSDeson>1.00</vICMSDeson><motDesICMS>1</motDesICMS>"
         "</ICMS70>"},
        {"90 with zeros", k310, normal, [](TICMS& i) { i.CST = cst90; },
         "<ICMS90><orig>0</orig><CST>90</CST></ICMS90>"},
        {"90 with own and substituted tax", k310, normal,
         [](TICMS& i) {
             i.CST = cst90;
             ComProprio(i);
             ComST(i);
             i.vICMSDeson = Currency::FromDouble(4);
         },
         "<ICMS90><orig>0</orig><CST>90</CST><modBC>3</modBC><vBC>100.00</vBC>"
         "<pICMS>18.0000</pICMS><vICMS>18.00</vICMS><modBCST>4</modBCST>"
         "<pMVAST>40.00</pMVAST><vBCST>140.00</vBCST><pICMSST>18.0000</pICMSST>"
         "<vICMSST>7.20</vICMSST><vICMSDeson>4.00</vICMSDeson><motDesICMS>1</motDesICMS>"
         "</ICMS90>"},
        {"90 with a partition", k310, normal,
         [](TICMS& i) {
             i.CST = cst90;
             i.pBCOp = Currency::FromDouble(100);
             i.UFST = "MG";
             i.vICMSDeson = Currency::FromDouble(4);
         },
         "<ICMSPart><orig>0</orig><CST>90</CST><pBCOp>100.0000</pBCOp><UFST>MG</UFST>"
         "</ICMSPart>"},
        {"80", k310, normal, [](TICMS& i) { i.CST = cst80; },
         "<ICMS80><orig>0</orig><CST>80</CST></ICMS80>"},
        {"45 has no code", k310, normal, [](TICMS& i) { i.CST = cst45; },
         "<ICMS><orig>0</orig><CST/></ICMS>"},
        {"SN", k310, normal, [](TICMS& i) { i.CST = cstICMSSN; },
         "<ICMS><orig>0</orig><CST>SN</CST></ICMS>"},
    };
    for (const CasoIcms& caso : casos) {
        VerificarIcms(caso);
    }
}

TEST(TNFeWItens, RendersEachSimplesNacionalSituation) {
    using enum TkroCSOSNIcms;
    const auto simples = TkroCRT::crtSimplesNacional;
    const auto credito = [](TICMS& i) {
        i.pCredSN = Currency::FromDouble(2.5);
        i.vCredICMSSN = Currency::FromDouble(1.25);
    };
    const CasoIcms casos[] = {
        {"101", k310, simples,
         [&](TICMS& i) {
             i.CSOSN = csosn101;
             credito(i);
         },
         "<ICMSSN101><orig>0</orig><CSOSN>101</CSOSN><pCredSN>2.5000</pCredSN>"
         "<vCredICMSSN>1.25</vCredICMSSN></ICMSSN101>"},
        {"400 shares the group of 102", k310, simples, [](TICMS& i) { i.CSOSN = csosn400; },
         "<ICMSSN102><orig>0</orig><CSOSN>400</CSOSN></ICMSSN102>"},
        {"201", k310, simples,
         [&](TICMS& i) {
             i.CSOSN = csosn201;
             ComST(i);
             credito(i);
         },
         "<ICMSSN201><orig>0</orig><CSOSN>201</CSOSN>" + kST +
             "<pCredSN>2.5000</pCredSN><vCredICMSSN>1.25</vCredICMSSN></ICMSSN201>"},
        {"203 shares the group of 202", k310, simples, [](TICMS& i) { i.CSOSN = csosn203; },
         "<ICMSSN202><orig>0</orig><CSOSN>203</CSOSN><modBCST>0</modBCST><vBCST>0.00</vBCST>"
         "<pICMSST>0.0000</pICMSST><vICMSST>0.00</vICMSST></ICMSSN202>"},
        {"500 without retained values", k310, simples, [](TICMS& i) { i.CSOSN = csosn500; },
         "<ICMSSN500><orig>0</orig><CSOSN>500</CSOSN></ICMSSN500>"},
        {"500 retained", k310, simples,
         [](TICMS& i) {
             i.CSOSN = csosn500;
             i.vICMSSTRet = Currency::FromDouble(3);
         },
         "<ICMSSN500><orig>0</orig><CSOSN>500</CSOSN><vBCSTRet>0.00</vBCSTRet>"
         "<vICMSSTRet>3.00</vICMSSTRet></ICMSSN500>"},
        {"900 with credit only, 2.00", k200, simples,
         [&](TICMS& i) {
             i.CSOSN = csosn900;
             credito(i);
         },
         "<ICMSSN900><orig>0</orig><CSOSN>900</CSOSN><pCredSN>2.50</pCredSN>"
         "<vCredICMSSN>1.25</vCredICMSSN></ICMSSN900>"},
        {"900 with everything", k310, simples,
         [&](TICMS& i) {
             i.CSOSN = csosn900;
             ComProprio(i);
             i.pRedBC = Currency::FromDouble(5);
             ComST(i);
             credito(i);
         },
         "<ICMSSN900><orig>0</orig><CSOSN>900</CSOSN><modBC>3</modBC><vBC>100.00</vBC>"
         "<pRedBC>5.0000</pRedBC><pICMS>18.0000</pICMS><vICMS>18.00</vICMS>" +
             kST + "<pCredSN>2.5000</pCredSN><vCredICMSSN>1.25</vCredICMSSN></ICMSSN900>"},
        {"no CSOSN", k310, simples, [](TICMS&) {},
         "<ICMSSN><orig>0</orig><CSOSN>0</CSOSN></ICMSSN>"},
    };
    for (const CasoIcms& caso : casos) {
        VerificarIcms(caso);
    }
}

TEST(TNFeWItens, AdjustsTheSituationCodeInTheDocumentAndRendersAgainAlike) {
    using enum TkroCSTIcms;
    TNFe nfe = Documento(k310);
    for (int i = 0; i < 3; ++i) {
        nfe.Det.Add() = nfe.Det[0];
    }
    nfe.Det[0].Imposto.ICMS.CST = cst41;
    nfe.Det[0].Imposto.ICMS.vICMSSTDest = Currency::FromDouble(-1);
    nfe.Det[1].Imposto.ICMS.CST = cst10;
    nfe.Det[1].Imposto.ICMS.UFST = "SP";
    nfe.Det[2].Imposto.ICMS.CST = cst90;
    nfe.Det[2].Imposto.ICMS.pBCOp = Currency::FromDouble(10);
    nfe.Det[3].Imposto.ICMS.CST = cst41;

    const std::string primeira = Render(nfe).xml;
    EXPECT_EQ(nfe.Det[0].Imposto.ICMS.CST, cstRep41);
    EXPECT_EQ(nfe.Det[1].Imposto.ICMS.CST, cstPart10);
    EXPECT_EQ(nfe.Det[2].Imposto.ICMS.CST, cstPart90);
    EXPECT_EQ(nfe.Det[3].Imposto.ICMS.CST, cst41);
    EXPECT_EQ(Render(nfe).xml, primeira);

    // The Simples Nacional path leaves the situation code alone.
    TNFe simples = Documento(k310);
    simples.Emit.CRT = TkroCRT::crtSimplesNacional;
    simples.Det[0].Imposto.ICMS.CST = cst41;
    simples.Det[0].Imposto.ICMS.vBCSTRet = Currency::FromDouble(10);
    Render(simples);
    EXPECT_EQ(simples.Det[0].Imposto.ICMS.CST, cst41);
}

TEST(TNFeWItens, WritesIpiTaxedOrNotAndCompletesTheFramingCode) {
    using enum TkroCstIpi;
    struct Caso {
        const char* nome;
        double versao;
        bool naoTributado;  // the writer option GerarTagIPIparaNaoTributado
        std::function<void(TIPI&)> preencher;
        std::string esperado;
        std::string cEnqDepois;
    };
    const Caso casos[] = {
        {"defaults", k310, true, [](TIPI&) {}, "", ""},
        {"99 without framing code", k310, true,
         [](TIPI& i) {
             i.CST = ipi99;
             i.vBC = Currency::FromDouble(100);
             i.pIPI = Currency::FromDouble(10);
             i.vIPI = Currency::FromDouble(10);
         },
         "<IPI><cEnq>999</cEnq><IPITrib><CST>99</CST><vBC>100.00</vBC><pIPI>10.0000</pIPI>"
         "<vIPI>10.00</vIPI></IPITrib></IPI>",
         "999"},
        {"99 with zeros, 2.00", k200, true, [](TIPI& i) { i.CST = ipi99; },
         "<IPI><cEnq>999</cEnq><IPITrib><CST>99</CST><vBC>0.00</vBC><pIPI>0.00</pIPI>"
         "<vIPI>0.00</vIPI></IPITrib></IPI>",
         "999"},
        {"00 with a framing code", k310, true, [](TIPI& i) { i.cEnq = "301"; },
         "<IPI><cEnq>301</cEnq><IPITrib><CST>00</CST><vBC>0.00</vBC><pIPI>0.0000</pIPI>"
         "<vIPI>0.00</vIPI></IPITrib></IPI>",
         "301"},
        {"53 not taxed", k310, true, [](TIPI& i) { i.CST = ipi53; },
         "<IPI><cEnq>999</cEnq><IPINT><CST>53</CST></IPINT></IPI>", "999"},
        {"53 not taxed, group switched off", k310, false, [](TIPI& i) { i.CST = ipi53; }, "", ""},
        {"50 by unit, group for untaxed switched off", k310, false,
         [](TIPI& i) {
             i.CST = ipi50;
             i.clEnq = "A1";
             i.CNPJProd = "11222333000181";
             i.cSelo = "S1";
             i.qSelo = 5;
             i.cEnq = "123";
             i.qUnid = Currency::FromDouble(10);
             i.vUnid = Currency::FromDouble(1.5);
             i.vIPI = Currency::FromDouble(15);
         },
         "<IPI><clEnq>A1</clEnq><CNPJProd>11222333000181</CNPJProd><cSelo>S1</cSelo>"
         "<qSelo>5</qSelo><cEnq>123</cEnq><IPITrib><CST>50</CST><qUnid>10.0000</qUnid>"
         "<vUnid>1.5000</vUnid><vIPI>15.00</vIPI></IPITrib></IPI>",
         "123"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TNFe nfe = Documento(caso.versao);
        caso.preencher(nfe.Det[0].Imposto.IPI);
        const WriterOutput r = Render(
            nfe, [&](TNFeW& w) { w.Opcoes.GerarTagIPIparaNaoTributado = caso.naoTributado; });
        EXPECT_EQ(Group(Group(r.xml, "imposto"), "IPI"), caso.esperado);
        EXPECT_EQ(nfe.Det[0].Imposto.IPI.cEnq, caso.cEnqDepois);
        EXPECT_EQ(Contar(r.alertas, "ID:O07/IPITrib"), 0);
    }

    // Base and rate together with quantity and unit value: reported, the unit pair wins.
    TNFe nfe = Documento(k310);
    TIPI& ipi = nfe.Det[0].Imposto.IPI;
    ipi.CST = ipi49;
    ipi.vBC = Currency::FromDouble(100);
    ipi.qUnid = Currency::FromDouble(1);
    const WriterOutput r = Render(nfe);
    EXPECT_EQ(Contar(r.alertas,
                     "ID:O07/IPITrib(IPI Tributável) - As TAG <vBC> e <pIPI> não podem ser "
                     "informadas em conjunto com as TAG <qUnid> e <vUnid>."),
              1);
    EXPECT_THAT(r.xml, testing::HasSubstr("<IPITrib><CST>49</CST><qUnid>1.0000</qUnid>"
                                          "<vUnid>0.0000</vUnid><vIPI>0.00</vIPI></IPITrib>"));
}

TEST(TNFeWItens, WritesImportTaxForImportsAndForValues) {
    struct Caso {
        std::string CFOP;
        Currency vII;
        std::string esperado;
    };
    const Caso casos[] = {
        {"3102",
         {},
         "<II><vBC>0.00</vBC><vDespAdu>0.00</vDespAdu><vII>0.00</vII><vIOF>0.00</vIOF></II>"},
        {"5102", Currency::FromDouble(3),
         "<II><vBC>0.00</vBC><vDespAdu>0.00</vDespAdu><vII>3.00</vII><vIOF>0.00</vIOF></II>"},
        {"5102", {}, ""},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.CFOP);
        TNFe nfe = Documento(k310);
        nfe.Det[0].Prod.CFOP = caso.CFOP;
        nfe.Det[0].Imposto.II.vII = caso.vII;
        const std::string imposto = Group(Det(nfe), "imposto");
        EXPECT_EQ(Group(imposto, "II"), caso.esperado);
        // The import tax follows ICMS (and IPI) and comes before PIS.
        if (!caso.esperado.empty()) {
            EXPECT_THAT(imposto, testing::HasSubstr("</ICMS>" + caso.esperado + "<PIS>"));
        }
    }
}

TEST(TNFeWItens, WritesPisAndCofinsByTheirSituationCodes) {
    struct Caso {
        const char* nome;
        double versao;
        int modelo;
        std::function<void(TPIS&, TCOFINS&)> preencher;
        std::string pis, cofins;
    };
    const Caso casos[] = {
        {"defaults, NF-e", k310, 55, [](TPIS&, TCOFINS&) {},
         "<PIS><PISAliq><CST>01</CST><vBC>0.00</vBC><pPIS>0.0000</pPIS><vPIS>0.00</vPIS>"
         "</PISAliq></PIS>",
         "<COFINS><COFINSAliq><CST>01</CST><vBC>0.00</vBC><pCOFINS>0.0000</pCOFINS>"
         "<vCOFINS>0.00</vCOFINS></COFINSAliq></COFINS>"},
        {"defaults, NFC-e", k310, 65, [](TPIS&, TCOFINS&) {}, "", ""},
        {"not taxed, NFC-e", k310, 65,
         [](TPIS& p, TCOFINS& c) {
             p.CST = TkroCstPis::pis04;
             c.CST = TkroCstCofins::cof09;
         },
         "<PIS><PISNT><CST>04</CST></PISNT></PIS>",
         "<COFINS><COFINSNT><CST>09</CST></COFINSNT></COFINS>"},
        {"rate, 2.00", k200, 55,
         [](TPIS& p, TCOFINS& c) {
             p.CST = TkroCstPis::pis02;
             p.vBC = Currency::FromDouble(100);
             p.pPIS = Currency::FromDouble(1.65);
             p.vPIS = Currency::FromDouble(1.65);
             c.CST = TkroCstCofins::cof02;
             c.vBC = Currency::FromDouble(100);
             c.pCOFINS = Currency::FromDouble(7.6);
             c.vCOFINS = Currency::FromDouble(7.6);
         },
         "<PIS><PISAliq><CST>02</CST><vBC>100.00</vBC><pPIS>1.65</pPIS><vPIS>1.65</vPIS>"
         "</PISAliq></PIS>",
         "<COFINS><COFINSAliq><CST>02</CST><vBC>100.00</vBC><pCOFINS>7.60</pCOFINS>"
         "<vCOFINS>7.60</vCOFINS></COFINSAliq></COFINS>"},
        {"quantity", k310, 55,
         [](TPIS& p, TCOFINS& c) {
             p.CST = TkroCstPis::pis03;
             p.qBCProd = Currency::FromDouble(10);
             p.vAliqProd = Currency::FromDouble(0.5);
             p.vPIS = Currency::FromDouble(5);
             c.CST = TkroCstCofins::cof03;
             c.qBCProd = Currency::FromDouble(10);
             c.vAliqProd = Currency::FromDouble(1);
             c.vCOFINS = Currency::FromDouble(10);
         },
         "<PIS><PISQtde><CST>03</CST><qBCProd>10.0000</qBCProd><vAliqProd>0.5000</vAliqProd>"
         "<vPIS>5.00</vPIS></PISQtde></PIS>",
         "<COFINS><COFINSQtde><CST>03</CST><qBCProd>10.0000</qBCProd>"
         "<vAliqProd>1.0000</vAliqProd><vCOFINS>10.00</vCOFINS></COFINSQtde></COFINS>"},
        {"other operations", k310, 65,
         [](TPIS& p, TCOFINS& c) {
             p.CST = TkroCstPis::pis49;
             p.vBC = Currency::FromDouble(100);
             p.pPIS = Currency::FromDouble(0.65);
             p.vPIS = Currency::FromDouble(0.65);
             c.CST = TkroCstCofins::cof99;
             c.qBCProd = Currency::FromDouble(2);
             c.vAliqProd = Currency::FromDouble(3);
             c.vCOFINS = Currency::FromDouble(6);
         },
         "<PIS><PISOutr><CST>49</CST><vBC>100.00</vBC><pPIS>0.6500</pPIS><vPIS>0.65</vPIS>"
         "</PISOutr></PIS>",
         "<COFINS><COFINSOutr><CST>99</CST><qBCProd>2.0000</qBCProd>"
         "<vAliqProd>3.0000</vAliqProd><vCOFINS>6.00</vCOFINS></COFINSOutr></COFINS>"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TNFe nfe = Documento(caso.versao);
        nfe.Ide.modelo = caso.modelo;
        caso.preencher(nfe.Det[0].Imposto.PIS, nfe.Det[0].Imposto.COFINS);
        const std::string imposto = Group(Det(nfe), "imposto");
        EXPECT_EQ(Group(imposto, "PIS"), caso.pis);
        EXPECT_EQ(Group(imposto, "COFINS"), caso.cofins);
        EXPECT_THAT(imposto, testing::EndsWith(caso.cofins + "</imposto>"));
    }

    // Base and rate together with quantity and rate per unit: reported for each tax.
    TNFe nfe = Documento(k310);
    nfe.Det[0].Imposto.PIS.CST = TkroCstPis::pis99;
    nfe.Det[0].Imposto.PIS.vBC = Currency::FromDouble(1);
    nfe.Det[0].Imposto.PIS.qBCProd = Currency::FromDouble(1);
    nfe.Det[0].Imposto.COFINS.CST = TkroCstCofins::cof50;
    nfe.Det[0].Imposto.COFINS.pCOFINS = Currency::FromDouble(1);
    nfe.Det[0].Imposto.COFINS.vAliqProd = Currency::FromDouble(1);
    const WriterOutput r = Render(nfe);
    EXPECT_EQ(Contar(r.alertas,
                     "ID:Q05/PISOutr(Grupo PIS outras operações) - As TAG <vBC> e "
                     "<pPIS> não podem ser informadas em conjunto"),
              1);
    EXPECT_EQ(Contar(r.alertas,
                     "ID:S05/COFINSOutr(Grupo COFINS outras operações) - As TAG <vBC> "
                     "e <pCOFINS> não podem ser informadas em conjunto"),
              1);
}

TEST(TNFeWItens, WritesTheVehicleByLayoutWhenItHasAChassis) {
    const auto preencher = [](TveicProd& v) {
        v.chassi = "9BWZZZ377VT004251";
        v.cCor = "0001";
        v.xCor = "PRATA";
        v.pot = "0100";
        v.Cilin = "1600";
        v.pesoL = "1000";
        v.pesoB = "1200";
        v.nSerie = "123";
        v.tpComb = "02";
        v.nMotor = "M123";
        v.CMT = "000001500";
        v.dist = "2500";
        v.anoMod = 2015;
        v.anoFab = 2014;
        v.tpPint = "S";
        v.tpVeic = 6;
        v.espVeic = 1;
        v.VIN = "N";
        v.cMod = "123456";
        v.cCorDENATRAN = "04";
        v.lota = 5;
    };
    const std::string comum =
        "<pesoL>1000</pesoL><pesoB>1200</pesoB><nSerie>123</nSerie><tpComb>02</tpComb>"
        "<nMotor>M123</nMotor>";
    const std::string fim =
        "<dist>2500</dist><anoMod>2015</anoMod><anoFab>2014</anoFab><tpPint>S</tpPint>"
        "<tpVeic>6</tpVeic><espVeic>1</espVeic><VIN>N</VIN><condVeic>1</condVeic>"
        "<cMod>123456</cMod>";
    const std::string inicio =
        "<veicProd><tpOp>1</tpOp><chassi>9BWZZZ377VT004251</chassi><cCor>0001</cCor>"
        "<xCor>PRATA</xCor><pot>0100</pot>";

    TNFe nfe = Documento(k310);
    preencher(nfe.Det[0].Prod.veicProd);
    EXPECT_EQ(Group(Det(nfe), "veicProd"),
              inicio + "<cilin>1600</cilin>" + comum + "<CMT>000001500</CMT>" + fim +
                  "<cCorDENATRAN>04</cCorDENATRAN><lota>5</lota><tpRest>0</tpRest></veicProd>");

    TNFe antiga = Documento(k110);
    preencher(antiga.Det[0].Prod.veicProd);
    EXPECT_EQ(Group(Det(antiga), "veicProd"),
              inicio + "<CM3>1600</CM3>" + comum + "<CMKG>000001500</CMKG>" + fim + "</veicProd>");

    TNFe semChassi = Documento(k310);
    preencher(semChassi.Det[0].Prod.veicProd);
    semChassi.Det[0].Prod.veicProd.chassi = "   ";
    EXPECT_EQ(Group(Det(semChassi), "veicProd"), "");
}

TEST(TNFeWItens, WritesOneGroupPerMedicineBatch) {
    TNFe nfe = Documento(k310);
    for (int i = 1; i <= 2; ++i) {
        TmedCollectionItem& med = nfe.Det[0].Prod.med.Add();
        med.nLote = "L" + std::to_string(i);
        med.qLote = Currency::FromDouble(10 * i);
        med.dFab = EncodeDate(2015, 1, 31);
        med.dVal = EncodeDate(2017, i, 28);
        med.vPMC = Currency::FromDouble(12.5);
    }
    const std::string prod = Group(Det(nfe), "prod");
    EXPECT_THAT(
        prod, testing::EndsWith("<indTot>1</indTot>"
                                "<med><nLote>L1</nLote><qLote>10.000</qLote><dFab>2015-01-31</dFab>"
                                "<dVal>2017-01-28</dVal><vPMC>12.50</vPMC></med>"
                                "<med><nLote>L2</nLote><qLote>20.000</qLote><dFab>2015-01-31</dFab>"
                                "<dVal>2017-02-28</dVal><vPMC>12.50</vPMC></med></prod>"));
}

TEST(TNFeWItens, ReportsTooManyOccurrencesOnce) {
    struct Caso {
        const char* nome;
        std::function<void(TNFe&)> preencher;
        std::string alerta;
        int esperado;
    };
    const std::string maximo = "Número de ocorrências maior que o máximo permitido - Máximo ";
    const auto itens = [](int n) {
        return [n](TNFe& nfe) {
            while (nfe.Det.Count() < n) {
                nfe.Det.Add() = nfe.Det[0];
            }
        };
    };
    const auto nves = [](int n) {
        return [n](TNFe& nfe) {
            for (int i = 0; i < n; ++i) {
                nfe.Det[0].Prod.NVE.Add().NVE = "AA0001";
            }
        };
    };
    const auto meds = [](int n) {
        return [n](TNFe& nfe) {
            for (int i = 0; i < n; ++i) {
                nfe.Det[0].Prod.med.Add().nLote = "L";
            }
        };
    };
    const Caso casos[] = {
        {"990 items", itens(990), "ID:H02/nItem(Numero do item) - " + maximo + "990.", 0},
        {"991 items", itens(991), "ID:H02/nItem(Numero do item) - " + maximo + "990.", 1},
        {"8 NVE", nves(8), "ID:I05a/NVE(Numero do item) - " + maximo + "8.", 0},
        {"9 NVE", nves(9), "ID:I05a/NVE(Numero do item) - " + maximo + "8.", 1},
        {"500 med", meds(500), "ID:K01/med(Numero do item) - " + maximo + "500.", 0},
        {"501 med", meds(501), "ID:K01/med(Numero do item) - " + maximo + "500.", 1},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TNFe nfe = Documento(k310);
        caso.preencher(nfe);
        EXPECT_EQ(Contar(Render(nfe).alertas, caso.alerta), caso.esperado);
    }
}

// Groups that the page conversion never fills, on one item built in code.
TEST(TNFeWItens, WritesTheRarelyCarriedGroupsInLayoutOrder) {
    TNFe nfe = Documento(k310);
    TDetCollectionItem& det = nfe.Det[0];
    TProd& prod = det.Prod;
    prod.NVE.Add().NVE = "AA0001";
    prod.EXTIPI = "01";
    TDICollectionItem& di = prod.DI.Add();
    di.nDi = "1234567890";
    di.dDi = EncodeDate(2015, 1, 10);
    di.xLocDesemb = "Santos";
    di.UFDesemb = "SP";
    di.dDesemb = EncodeDate(2015, 1, 12);
    di.vAFRMM = Currency::FromDouble(25);
    di.cExportador = "EXP1";
    TAdiCollectionItem& adi = di.adi.Add();
    adi.nAdicao = 1;
    adi.nSeqAdi = 2;
    adi.cFabricante = "FAB1";
    TdetExportCollectionItem& exportacao = prod.detExport.Add();
    exportacao.nDraw = "20150000001";
    exportacao.nRE = "123456789012";
    exportacao.chNFe = "35150111222333000181550010000000011000000010";
    exportacao.qExport = Currency::FromDouble(2);
    prod.detExport.Add().nDraw = "20150000002";
    prod.xPed = "PED1";
    prod.nItemPed = 3;
    prod.nFCI = "12345678-1234-1234-1234-123456789012";
    TarmaCollectionItem& arma = prod.arma.Add();
    arma.tpArma = TkroTipoArma::taUsoRestrito;
    arma.nSerie = "A1";
    arma.nCano = "C1";
    arma.descr = "Pistola";
    prod.comb.cProdANP = 210203001;
    prod.comb.UFcons = "SP";
    prod.comb.CIDE.qBCProd = Currency::FromDouble(100);
    prod.comb.CIDE.vAliqProd = Currency::FromDouble(0.1);
    prod.comb.CIDE.vCIDE = Currency::FromDouble(10);
    prod.nRECOPI = "20150110123000000123";
    TISSQN& issqn = det.Imposto.ISSQN;
    issqn.cListServ = "14.01";
    issqn.vBC = Currency::FromDouble(100);
    issqn.vAliq = Currency::FromDouble(5);
    issqn.vISSQN = Currency::FromDouble(5);
    issqn.cMunFG = 3550308;
    issqn.indIncentivo = TkroindIncentivo::iiNao;
    det.Imposto.PISST.vBc = Currency::FromDouble(100);
    det.Imposto.PISST.pPis = Currency::FromDouble(0.65);
    det.Imposto.PISST.vPIS = Currency::FromDouble(0.65);
    det.Imposto.COFINSST.qBCProd = Currency::FromDouble(10);
    det.Imposto.COFINSST.vAliqProd = Currency::FromDouble(0.3);
    det.Imposto.COFINSST.vCOFINS = Currency::FromDouble(3);
    det.pDevol = Currency::FromDouble(50);
    det.vIPIDevol = Currency::FromDouble(5);
    det.infAdProd = "Obs";

    const WriterOutput r = Render(nfe);
    EXPECT_EQ(Group(r.xml, "det"),
              "<det nItem=\"1\"><prod><cProd>001</cProd><cEAN/><xProd>Parafuso</xProd>"
              "<NCM>73181500</NCM><NVE>AA0001</NVE><EXTIPI>01</EXTIPI><CFOP>5102</CFOP>"
              "<uCom>UN</uCom><qCom>2.0000</qCom><vUnCom>2.5000000000</vUnCom><vProd>5.00</vProd>"
              "<cEANTrib/><uTrib>UN</uTrib><qTrib>2.0000</qTrib><vUnTrib>2.5000000000</vUnTrib>"
              "<indTot>1</indTot>"
              "<DI><nDI>1234567890</nDI><dDI>2015-01-10</dDI><xLocDesemb>Santos</xLocDesemb>"
              "<UFDesemb>SP</UFDesemb><dDesemb>2015-01-12</dDesemb><tpViaTransp>1</tpViaTransp>"
              "<vAFRMM>25.00</vAFRMM><tpIntermedio>1</tpIntermedio><cExportador>EXP1</cExportador>"
              "<adi><nAdicao>1</nAdicao><nSeqAdic>2</nSeqAdic><cFabricante>FAB1</cFabricante></adi>"
              "</DI>"
              "<detExport><nDraw>20150000001</nDraw><exportInd><nRE>123456789012</nRE>"
              "<chNFe>35150111222333000181550010000000011000000010</chNFe><qExport>2.0000</qExport>"
              "</exportInd></detExport><detExport><nDraw>20150000002</nDraw></detExport>"
              "<xPed>PED1</xPed><nItemPed>3</nItemPed>"
              "<nFCI>12345678-1234-1234-1234-123456789012</nFCI>"
              "<arma><tpArma>1</tpArma><nSerie>A1</nSerie><nCano>C1</nCano><descr>Pistola</descr>"
              "</arma>"
              "<comb><cProdANP>210203001</cProdANP><UFCons>SP</UFCons><CIDE>"
              "<qBCProd>100.0000</qBCProd><vAliqProd>0.1000</vAliqProd><vCIDE>10.00</vCIDE></CIDE>"
              "</comb><nRECOPI>20150110123000000123</nRECOPI></prod>"
              "<imposto><ISSQN><vBC>100.00</vBC><vAliq>5.0000</vAliq><vISSQN>5.00</vISSQN>"
              "<cMunFG>3550308</cMunFG><cListServ>14.01</cListServ><indISS>1</indISS>"
              "<indIncentivo>2</indIncentivo></ISSQN>"
              "<PIS><PISAliq><CST>01</CST><vBC>0.00</vBC><pPIS>0.0000</pPIS><vPIS>0.00</vPIS>"
              "</PISAliq></PIS><PISST><vBC>100.00</vBC><pPIS>0.6500</pPIS><vPIS>0.65</vPIS></PISST>"
              "<COFINS><COFINSAliq><CST>01</CST><vBC>0.00</vBC><pCOFINS>0.0000</pCOFINS>"
              "<vCOFINS>0.00</vCOFINS></COFINSAliq></COFINS><COFINSST><qBCProd>10.0000</qBCProd>"
              "<vAliqProd>0.3000</vAliqProd><vCOFINS>3.00</vCOFINS></COFINSST></imposto>"
              "<impostoDevol><pDevol>50.00</pDevol><IPI><vIPIDevol>5.00</vIPIDevol></IPI>"
              "</impostoDevol><infAdProd>Obs</infAdProd></det>");
    EXPECT_EQ(Contar(r.alertas, "<det nItem="), 0) << testing::PrintToString(r.alertas);

    // A RECOPI number must begin with a real date and time.
    prod.nRECOPI = "20151310123000000123";
    EXPECT_EQ(Contar(Render(nfe).alertas, "ID:L109/nRECOPI(Numero do RECOPI) - Conteúdo inválido."),
              1);
}

TEST(TNFeWItens, ChoosesServiceTaxOverIcmsByLayout) {
    struct Caso {
        const char* nome;
        double versao;
        TkroISSQNcSitTrib cSitTrib;
        std::string cListServ;
        std::string inicio;  // the start of imposto, up to PIS
    };
    const std::string ipi =
        "<IPI><cEnq>999</cEnq><IPITrib><CST>99</CST><vBC>0.00</vBC><pIPI>0.00</pIPI>"
        "<vIPI>0.00</vIPI></IPITrib></IPI>";
    const std::string base =
        "<vBC>100.00</vBC><vAliq>5.00</vAliq><vISSQN>5.00</vISSQN><cMunFG>3550308</cMunFG>";
    const Caso casos[] = {
        {"2.00, situation N", k200, TkroISSQNcSitTrib::ISSQNcSitTribNORMAL, "1401",
         "<imposto><ISSQN>" + base + "<cListServ>1401</cListServ><cSitTrib>N</cSitTrib></ISSQN>"},
        {"3.00, service list only", k300, TkroISSQNcSitTrib::ISSQNcSitTribVazio, "1401",
         "<imposto><ICMS><ICMS00>"},
        {"3.00, situation I", k300, TkroISSQNcSitTrib::ISSQNcSitTribISENTA, "1401",
         "<imposto>" + ipi + "<ISSQN>" + base +
             "<cListServ>1401</cListServ><cSitTrib>I</cSitTrib></ISSQN>"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TNFe nfe = Documento(caso.versao);
        nfe.Det[0].Prod.CFOP = "3949";
        TImposto& imposto = nfe.Det[0].Imposto;
        imposto.IPI.CST = TkroCstIpi::ipi99;
        imposto.ISSQN.cSitTrib = caso.cSitTrib;
        imposto.ISSQN.cListServ = caso.cListServ;
        imposto.ISSQN.vBC = Currency::FromDouble(100);
        imposto.ISSQN.vAliq = Currency::FromDouble(5);
        imposto.ISSQN.vISSQN = Currency::FromDouble(5);
        imposto.ISSQN.cMunFG = 3550308;
        const std::string texto = Group(Det(nfe), "imposto");
        EXPECT_THAT(texto, testing::StartsWith(caso.inicio));
        const bool servico = caso.inicio.find("<ISSQN>") != std::string::npos;
        EXPECT_EQ(Group(texto, "II").empty(), servico);
    }
}

TEST(TNFeWItens, WritesTheFuelIcmsGroupsOnlyWhereTheLayoutHasThem) {
    const auto preencher = [](TComb& comb) {
        comb.cProdANP = 210203001;
        comb.UFcons = "SP";
        comb.ICMS.vBCICMS = Currency::FromDouble(100);
        comb.ICMS.vICMS = Currency::FromDouble(18);
        comb.ICMSCons.UFcons = "RJ";
    };
    TNFe antiga = Documento(k110);
    preencher(antiga.Det[0].Prod.comb);
    EXPECT_EQ(Group(Det(antiga), "comb"),
              "<comb><cProdANP>210203001</cProdANP><ICMSComb><vBCICMS>100.00</vBCICMS>"
              "<vICMS>18.00</vICMS><vBCICMSST>0.00</vBCICMSST><vICMSST>0.00</vICMSST>"
              "</ICMSComb><ICMSCons><vBCICMSSTCons>0.00</vBCICMSSTCons>"
              "<vICMSSTCons>0.00</vICMSSTCons><UFcons>RJ</UFcons></ICMSCons></comb>");

    // The current layouts have no place for them: the values are reported, not lost quietly.
    TNFe nfe = Documento(k310);
    preencher(nfe.Det[0].Prod.comb);
    const WriterOutput r = Render(nfe);
    EXPECT_EQ(Group(r.xml, "comb"),
              "<comb><cProdANP>210203001</cProdANP><UFCons>SP</UFCons></comb>");
    EXPECT_EQ(Contar(r.alertas, "ID:L109/ICMSComb"), 1);
}

}  // namespace
}  // namespace nfe
