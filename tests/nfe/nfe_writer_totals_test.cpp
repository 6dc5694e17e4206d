#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "nfe/nfe_writer.h"
#include "tests/nfe/sample_documents.h"
#include "tests/nfe/writer_output.h"
#include "tests/support/temporary_directory.h"

namespace nfe {
namespace {

using writer_test::Group;
using writer_test::Render;
using writer_test::WriterOutput;

using samples::At;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// An invoice without protocol, so that alert lines start at the document.
TNFe Documento(double versao = 3.1) {
    TNFe nfe = samples::NFe310ComProtocolo();
    nfe.procNFe.nProt = "";
    nfe.infNFe.SetVersao(versao);
    return nfe;
}

// The closing groups: everything from "<total>" to the end of infNFe.
std::string Closing(TNFe& nfe) {
    const std::string xml = Render(nfe).xml;
    const auto begin = xml.find("<total>");
    return xml.substr(begin, xml.find("</infNFe>") - begin);
}

std::string Transp(TNFe& nfe) {
    return Group(Render(nfe).xml, "transp");
}

std::string ClosingOfEmptyGroups(double versao) {
    TNFe nfe = Documento(versao);
    nfe.Total = TTotal();
    nfe.Transp = TTransp();
    nfe.Cobr = TCobr();
    nfe.InfAdic = TInfAdic();
    return Closing(nfe);
}

TEST(TNFeWTotals, EmptyClosingGroupsLeaveOnlyTheTotalsAndTheFreightMode) {
    EXPECT_EQ(ClosingOfEmptyGroups(3.1),
              "<total><ICMSTot><vBC>0.00</vBC><vICMS>0.00</vICMS><vICMSDeson>0.00</vICMSDeson>"
              "<vBCST>0.00</vBCST><vST>0.00</vST><vProd>0.00</vProd><vFrete>0.00</vFrete>"
              "<vSeg>0.00</vSeg><vDesc>0.00</vDesc><vII>0.00</vII><vIPI>0.00</vIPI>"
              "<vPIS>0.00</vPIS><vCOFINS>0.00</vCOFINS><vOutro>0.00</vOutro><vNF>0.00</vNF>"
              "</ICMSTot></total><transp><modFrete>0</modFrete></transp>");
    EXPECT_THAT(ClosingOfEmptyGroups(2.0), Not(HasSubstr("vICMSDeson")));
}

TEST(TNFeWTotals, ServiceTaxAndRetainedTaxTotals) {
    TNFe nfe = Documento();
    TISSQNtot& iss = nfe.Total.ISSQNtot;
    iss.vServ = Currency::FromDouble(300);
    iss.vISS = Currency::FromDouble(15);
    iss.dCompet = At(2015, 8, 20);
    iss.vISSRet = Currency::FromDouble(1.5);
    iss.cRegTrib = TkroRegTribISSQN::RTISSNenhum;
    nfe.Total.retTrib.vIRRF = Currency::FromDouble(4.5);
    EXPECT_THAT(Closing(nfe),
                HasSubstr("</ICMSTot><ISSQNtot><vServ>300.00</vServ><vISS>15.00</vISS>"
                          "<dCompet>2015-08-20</dCompet><vISSRet>1.50</vISSRet></ISSQNtot>"
                          "<retTrib><vIRRF>4.50</vIRRF></retTrib></total>"));

    TNFe nfe200 = Documento(2.0);
    nfe200.Total.ISSQNtot = iss;
    nfe200.Total.ISSQNtot.cRegTrib = TkroRegTribISSQN::RTISSMEI;
    EXPECT_THAT(Closing(nfe200), HasSubstr("<ISSQNtot><vServ>300.00</vServ><vISS>15.00</vISS>"
                                           "</ISSQNtot>"));

    TNFe semData = Documento();
    semData.Total.ISSQNtot.vBC = Currency::FromDouble(1);
    semData.Total.ISSQNtot.cRegTrib = TkroRegTribISSQN::RTISSMEI;
    const WriterOutput r = Render(semData);
    EXPECT_THAT(r.xml, HasSubstr("<ISSQNtot><vBC>1.00</vBC><dCompet/><cRegTrib>5</cRegTrib>"));
    EXPECT_THAT(r.alertas, ElementsAre("TAG:<total><ISSQNtot> ID:W22a/dCompet(Data da "
                                       "prestacao do servico) - Nenhum valor informado."));
}

TEST(TNFeWTotals, TransportGroups) {
    TNFe nfe = Documento();
    TTransp& t = nfe.Transp;
    t = TTransp();
    t.modFrete = TkroModalidadeFrete::mfSemFrete;
    t.Transporta.xNome = "Carreteiro";
    t.retTransp.cMunFG = 3550308;
    t.veicTransp.RNTC = "123";
    TreboqueCollectionItem& reboque = t.Reboque.Add();
    reboque.placa = "XYZ9876";
    reboque.UF = "PR";
    t.vagao = "V1";
    t.Vol.Add();
    EXPECT_EQ(Transp(nfe),
              "<transp><modFrete>9</modFrete><transporta><xNome>Carreteiro</xNome></transporta>"
              "<retTransp><vServ>0.00</vServ><vBCRet>0.00</vBCRet><pICMSRet>0.00</pICMSRet>"
              "<vICMSRet>0.00</vICMSRet><CFOP/><cMunFG>3550308</cMunFG></retTransp>"
              "<veicTransp><placa/><UF/><RNTC>123</RNTC></veicTransp><reboque>"
              "<placa>XYZ9876</placa><UF>PR</UF></reboque><vagao>V1</vagao><vol>"
              "<qVol>0</qVol></vol></transp>");

    TNFe carrier = Documento();
    carrier.Transp.Transporta = {"", "", " 12.345.678 ", "", "", ""};
    EXPECT_THAT(Closing(carrier), HasSubstr("<transporta><IE>12345678</IE></transporta>"));

    TNFe reboques = Documento();
    for (int i = 0; i < 6; ++i) {
        reboques.Transp.Reboque.Add() = {"ABC1234", "SP", ""};
    }
    EXPECT_THAT(Render(reboques).alertas,
                ElementsAre("TAG:<transp> ID:X22/reboque(Reboques) - Número de ocorrências "
                            "maior que o máximo permitido - Máximo 5."));
}

TEST(TNFeWTotals, BillingGroups) {
    TNFe nfe = Documento();
    nfe.Cobr.Fat = TFat();
    nfe.Cobr.Dup[0].dVenc = 0;
    nfe.Cobr.Dup[1].vDup = Currency();
    EXPECT_THAT(Closing(nfe), HasSubstr("<cobr><dup><nDup>1234/1</nDup><vDup>532.75</vDup></dup>"
                                        "<dup><nDup>1234/2</nDup><dVenc>2015-10-23</dVenc>"
                                        "<vDup>0.00</vDup></dup></cobr>"));

    TNFe fatura = Documento();
    fatura.Cobr.Dup.Clear();
    fatura.Cobr.Fat = {"", {}, {}, Currency::FromDouble(5)};
    EXPECT_THAT(Closing(fatura), HasSubstr("<cobr><fat><vLiq>5.00</vLiq></fat></cobr>"));

    TNFe muitas = Documento();
    for (int i = 0; i < 119; ++i) {
        muitas.Cobr.Dup.Add().vDup = Currency::FromDouble(1);
    }
    EXPECT_THAT(Render(muitas).alertas,
                ElementsAre("TAG:<cobr> ID:Y07/dup(Duplicatas) - Número de ocorrências maior "
                            "que o máximo permitido - Máximo 120."));
}

TEST(TNFeWTotals, PaymentsOnlyForConsumerInvoicesFromLayout300) {
    struct Case {
        int modelo;
        double versao;
        bool expected;
    };
    const Case cases[] = {{55, 3.1, false}, {65, 3.1, true}, {65, 3.0, true}, {65, 2.0, false}};
    for (const Case& c : cases) {
        TNFe nfe = Documento(c.versao);
        nfe.Ide.modelo = c.modelo;
        TpagCollectionItem& dinheiro = nfe.pag.Add();
        dinheiro.tPag = TkroFormaPagamento::fpDinheiro;
        dinheiro.vPag = Currency::FromDouble(65.5);
        TpagCollectionItem& cartao = nfe.pag.Add();
        cartao = {TkroFormaPagamento::fpCartaoCredito, Currency::FromDouble(1000), "11222333000181",
                  TkroBandeiraCartao::bcMasterCard, "A1B2"};
        const std::string closing = Closing(nfe);
        EXPECT_EQ(closing.find("<pag>") != std::string::npos, c.expected) << c.modelo << c.versao;
        if (c.expected) {
            EXPECT_THAT(closing, HasSubstr("</cobr><pag><tPag>01</tPag><vPag>65.50</vPag></pag>"
                                           "<pag><tPag>03</tPag><vPag>1000.00</vPag><card>"
                                           "<CNPJ>11222333000181</CNPJ><tBand>02</tBand>"
                                           "<cAut>A1B2</cAut></card></pag><infAdic>"));
        }
    }
}

TEST(TNFeWTotals, AdditionalInformation) {
    TNFe longo = Documento();
    longo.InfAdic.infCpl = std::string(6000, 'x');
    const WriterOutput r = Render(longo);
    EXPECT_THAT(r.xml, HasSubstr("<infCpl>" + std::string(6000, 'x') + "</infCpl>"));
    ASSERT_EQ(r.alertas.size(), 1u);
    EXPECT_THAT(r.alertas[0], testing::StartsWith("TAG:<infAdic> ID:Z03/infCpl(Informacoes "
                                                  "complementares) - Tamanho maior que o máximo "
                                                  "permitido [xxx"));

    TNFe nfe = Documento();
    nfe.InfAdic = TInfAdic();
    nfe.InfAdic.obsCont.Add() = {" Cliente \"VIP\" & cia ", "Sim"};
    nfe.InfAdic.obsCont.Add() = {"", "Sem nome"};
    nfe.InfAdic.obsFisco.Add() = {"  Processo  ", "123"};
    nfe.InfAdic.obsFisco.Add() = {"Um nome longo demais para o campo", "x"};
    nfe.InfAdic.procRef.Add() = {"0001234-55.2015", TkroIndicadorProcesso::ipJusticaFederal};
    const WriterOutput obs = Render(nfe);
    EXPECT_THAT(obs.xml,
                HasSubstr("<infAdic><obsCont xCampo=\" Cliente &quot;VIP&quot; &amp; cia \">"
                          "<xTexto>Sim</xTexto></obsCont><obsCont xCampo=\"\"><xTexto>Sem nome"
                          "</xTexto></obsCont><obsFisco xCampo=\"Processo\"><xTexto>123</xTexto>"
                          "</obsFisco><obsFisco xCampo=\"Um nome longo demais para o campo\">"
                          "<xTexto>x</xTexto></obsFisco><procRef><nProc>0001234-55.2015</nProc>"
                          "<indProc>1</indProc></procRef></infAdic>"));
    EXPECT_THAT(obs.alertas,
                ElementsAre("TAG:<infAdic> ID:ZO5/xCampo(Nome do campo) - Nenhum valor informado.",
                            "TAG:<infAdic> ID:ZO8/xCampo(Nome do campo) - Tamanho maior que o "
                            "máximo permitido."));

    // The text survives a real parser: the field names carry quotes and ampersands.
    test_support::TemporaryDirectory dir;
    TNFeW writer(nfe);
    writer.GerarXml();
    writer.Gerador.SalvarArquivo(dir / "obs.xml", fgXML);
    EXPECT_EQ(std::system(("xmllint --noout '" + (dir / "obs.xml").string() + "'").c_str()), 0);

    TNFe muitas = Documento();
    for (int i = 0; i < 10; ++i) {
        muitas.InfAdic.obsFisco.Add() = {"Campo", "Texto"};
    }
    muitas.InfAdic.obsFisco.Add() = {"Campo", "Texto"};
    EXPECT_THAT(Render(muitas).alertas,
                ElementsAre("TAG:<infAdic> ID:Z07/obsFisco(Observacoes do fisco) - Número de "
                            "ocorrências maior que o máximo permitido - Máximo 10."));
}

TEST(TNFeWTotals, ExportPurchaseAndCane) {
    TNFe nfe200 = Documento(2.0);
    nfe200.exporta = {"PR", "Porto de Paranaguá", "SP", "Santos", "Despacho"};
    EXPECT_THAT(Closing(nfe200), HasSubstr("<exporta><UFEmbarq>PR</UFEmbarq><xLocEmbarq>Porto de "
                                           "Paranagua</xLocEmbarq></exporta>"));
    TNFe nfe310 = Documento();
    nfe310.exporta = nfe200.exporta;
    nfe310.compra = {"", " ", "CT-9"};
    EXPECT_THAT(Closing(nfe310),
                HasSubstr("<exporta><UFSaidaPais>SP</UFSaidaPais><xLocExporta>Santos</xLocExporta>"
                          "<xLocDespacho>Despacho</xLocDespacho></exporta><compra><xCont>CT-9"
                          "</xCont></compra>"));
    nfe310.exporta = {"", "", "ZZ", "", ""};
    const WriterOutput invalido = Render(nfe310);
    EXPECT_THAT(invalido.xml, HasSubstr("<exporta><UFSaidaPais>ZZ</UFSaidaPais><xLocExporta/>"));
    EXPECT_THAT(invalido.alertas,
                ElementsAre("TAG:<exporta> ID:ZA02/UFSaidaPais(Sigla da UF) - Conteúdo inválido.",
                            "TAG:<exporta> ID:ZA03/xLocExporta(Local de embarque) - Nenhum valor "
                            "informado."));
    nfe310.exporta = {"PR", "Paranaguá", "", "", ""};
    EXPECT_THAT(Render(nfe310).xml, Not(HasSubstr("<exporta>")));

    TNFe cana = Documento();
    cana.cana.safra = "2015/2016";
    cana.cana.ref = "08/2015";
    cana.cana.fordia.Add() = {1, Currency::FromDouble(12.5)};
    cana.cana.qTotMes = 12.5;
    cana.cana.qTotGer = 1000.0000000001;
    cana.cana.deduc.Add() = {"Taxa", Currency::FromDouble(3)};
    cana.cana.vFor = Currency::FromDouble(250);
    cana.cana.vTotDed = Currency::FromDouble(3);
    cana.cana.vLiqFor = Currency::FromDouble(247);
    const WriterOutput r = Render(cana);
    EXPECT_THAT(r.xml,
                HasSubstr("<cana><safra>2015/2016</safra><ref>08/2015</ref><forDia dia=\"1\">"
                          "<qtde>12.5000000000</qtde></forDia><qTotMes>12.5000000000</qTotMes>"
                          "<qTotAnt>0.0000000000</qTotAnt><qTotGer>1000.0000000001</qTotGer>"
                          "<deduc><xDed>Taxa</xDed><vDed>3.00</vDed></deduc><vFor>250.00</vFor>"
                          "<vTotDed>3.00</vTotDed><vLiqFor>247.00</vLiqFor></cana>"));
    EXPECT_THAT(r.alertas, IsEmpty());

    for (int dia = 2; dia <= 32; ++dia) {
        cana.cana.fordia.Add() = {dia, Currency::FromDouble(1)};
    }
    EXPECT_THAT(Render(cana).alertas,
                ElementsAre("TAG:<cana> ID:ZC04/forDia(Fornecimento diario) - Número de "
                            "ocorrências maior que o máximo permitido - Máximo 31."));
}

}  // namespace
}  // namespace nfe
