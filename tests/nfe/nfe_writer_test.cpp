#include "nfe/nfe_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/nfe/sample_documents.h"
#include "tests/nfe/writer_output.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_directory.h"

namespace nfe {
namespace {

using samples::At;
using samples::NFe200SemProtocolo;
using samples::NFe310ComProtocolo;
using test_support::TemporaryDirectory;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;
using writer_test::Group;
using writer_test::Render;
using writer_test::WriterOutput;

constexpr char kKey310[] = "35150811222333000181550010000012341123456783";

TEST(TNFeW, SampleDocumentsRenderWithoutAlerts) {
    TNFe nfe310 = NFe310ComProtocolo();
    const WriterOutput r310 = Render(nfe310);
    EXPECT_TRUE(r310.ok);
    EXPECT_THAT(r310.alertas, IsEmpty());
    TNFe nfe200 = NFe200SemProtocolo();
    const WriterOutput r200 = Render(nfe200);
    EXPECT_TRUE(r200.ok);
    EXPECT_THAT(r200.alertas, IsEmpty());
}

TEST(TNFeW, CompletesTheIdentifierFromAValidKeyOrFromTheHeader) {
    // Header of the sample: cUF 35, 2015-08, CNPJ 11222333000181, model 55, series 1,
    // number 1234, normal emission, numeric code 12345678.
    struct Case {
        std::string id;
        std::string expected;
    };
    const std::string composed = std::string("NFe") + kKey310;
    const Case cases[] = {
        {kKey310, composed},
        {std::string("nfe") + kKey310, composed},
        {std::string("NFe") + kKey310, composed},
        {"NFE 3515 0811 2223 3300 0181 5500 1000 0012 3411 2345 6783", composed},
        {"", composed},
        {"   ", composed},
        // A valid key of another invoice is kept.
        {"35150711222333000181550010000012001123456706",
         "NFe35150711222333000181550010000012001123456706"},
        // A wrong check digit gives way to the header's key.
        {"35150811222333000181550010000012341123456784", composed},
        {"123", composed},
    };
    for (const Case& c : cases) {
        TNFe nfe = NFe310ComProtocolo();
        nfe.infNFe.ID = c.id;
        nfe.Ide.cNF = 12345678;
        nfe.Ide.cDV = 0;
        TNFeW writer(nfe);
        writer.GerarXml();
        EXPECT_EQ(nfe.infNFe.ID, c.expected) << c.id;
        EXPECT_THAT(writer.Gerador.ArquivoFormatoXML,
                    HasSubstr("<infNFe versao=\"3.10\" Id=\"" + c.expected + "\">"));
        EXPECT_EQ(nfe.Ide.cDV, c.expected.back() - '0');
        EXPECT_EQ(nfe.Ide.cNF, std::stoi(c.expected.substr(3 + 35, 8)));
        EXPECT_EQ(writer.ObterNomeArquivo(), c.expected.substr(3) + "-nfe.xml");
    }
}

TEST(TNFeW, AHeaderThatCannotMakeAKeyLeavesTheIdentifierEmptyAndRendersOn) {
    TNFe nfe = NFe310ComProtocolo();
    nfe.infNFe.ID = "";
    nfe.Ide.nNF = -1;
    const WriterOutput r = Render(nfe);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(nfe.infNFe.ID, "");
    EXPECT_EQ(nfe.Ide.cDV, 0);
    EXPECT_EQ(nfe.Ide.cNF, 0);
    EXPECT_EQ(r.alertas.front(),
              "TAG: ID:A01/infNFe(Chave da NFe) - Erro ao gerar a chave da NFe!.");
    EXPECT_THAT(r.xml, HasSubstr("<infNFe versao=\"3.10\" Id=\"\"><ide><cUF>35</cUF>"
                                 "<cNF>00000000</cNF>"));
    EXPECT_THAT(r.xml, HasSubstr("</protNFe></nfeProc>"));
}

TEST(TNFeW, WithoutAProtocolTheTextStartsWithTheDocument) {
    TNFe nfe = NFe310ComProtocolo();
    nfe.procNFe.nProt = "";
    const WriterOutput r = Render(nfe);
    EXPECT_THAT(r.xml, StartsWith(std::string("<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
                                              "<infNFe versao=\"3.10\" Id=\"NFe") +
                                  kKey310 + "\"><ide>"));
    EXPECT_THAT(r.xml, Not(HasSubstr("<?xml")));
    EXPECT_THAT(r.xml, Not(HasSubstr("protNFe")));
    EXPECT_TRUE(r.xml.ends_with("</infNFe></NFe>"));
}

TEST(TNFeW, WithAProtocolTheDocumentIsWrappedAndTheReceiptTimeCarriesTheOffset) {
    struct Case {
        double versao;
        int cUF;
        TDateTime dhRecbto;
        std::string expected;
    };
    const Case cases[] = {
        {3.1, 35, At(2015, 1, 10, 10), "2015-01-10T10:00:00-02:00"},
        {3.1, 35, At(2015, 8, 24, 10), "2015-08-24T10:00:00-03:00"},
        {3.1, 13, At(2015, 1, 10, 10), "2015-01-10T10:00:00-04:00"},
        {3.0, 35, At(2015, 1, 10, 10), "2015-01-10T10:00:00"},
        {2.0, 35, At(2015, 1, 10, 10), "2015-01-10T10:00:00"},
    };
    for (const Case& c : cases) {
        TNFe nfe = NFe310ComProtocolo();
        nfe.infNFe.SetVersao(c.versao);
        nfe.Ide.cUF = c.cUF;
        nfe.procNFe.dhRecbto = c.dhRecbto;
        const WriterOutput r = Render(nfe);
        const std::string versao = nfe.infNFe.VersaoStr();
        EXPECT_THAT(r.xml,
                    StartsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfeProc " + versao +
                               " xmlns=\"http://www.portalfiscal.inf.br/nfe\"><NFe "
                               "xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe " +
                               versao));
        EXPECT_TRUE(r.xml.ends_with(
            "</infNFe></NFe><protNFe " + versao +
            "><infProt><tpAmb>1</tpAmb><verAplic>SP_NFE_PL_008i2</verAplic><chNFe>" + kKey310 +
            "</chNFe><dhRecbto>" + c.expected +
            "</dhRecbto><nProt>135150012345678</nProt><digVal>q1Wc7X2p9v0yZ3kLm4Nn5Oo6Pp8=</"
            "digVal><cStat>100</cStat><xMotivo>Autorizado o uso da NF-e</xMotivo></infProt>"
            "</protNFe></nfeProc>"))
            << c.expected;
    }
}

TEST(TNFeW, ProtocolValuesAreEscapedSoThatTheSavedFileStaysWellFormed) {
    TNFe nfe = NFe310ComProtocolo();
    nfe.procNFe.verAplic = "SP&RJ";
    nfe.procNFe.nProt = "<135>";
    nfe.procNFe.digVal = "a\"b'c";
    nfe.procNFe.xMotivo = "Rejeição: \x01 código <inválido> & outros";
    TNFeW writer(nfe);
    writer.GerarXml();
    const std::string& xml = writer.Gerador.ArquivoFormatoXML;
    EXPECT_THAT(xml, HasSubstr("<verAplic>SP&amp;RJ</verAplic>"));
    EXPECT_THAT(xml, HasSubstr("<nProt>&lt;135&gt;</nProt>"));
    EXPECT_THAT(xml, HasSubstr("<digVal>a&quot;b&#39;c</digVal>"));
    EXPECT_THAT(xml, HasSubstr("<xMotivo>Rejeição:   código &lt;inválido&gt; &amp; "
                               "outros</xMotivo>"));

    TemporaryDirectory dir;
    const auto path = dir / writer.ObterNomeArquivo();
    writer.Gerador.SalvarArquivo(path, fgXML);
    EXPECT_EQ(std::system(("xmllint --noout '" + path.string() + "'").c_str()), 0);
}

TEST(TNFeW, IdeFollowsTheLayoutVersion) {
    TNFe nfe310 = NFe310ComProtocolo();
    EXPECT_EQ(Group(Render(nfe310).xml, "ide"),
              "<ide><cUF>35</cUF><cNF>12345678</cNF><natOp>VENDA DE MERCADORIA</natOp>"
              "<indPag>1</indPag><mod>55</mod><serie>1</serie><nNF>1234</nNF>"
              "<dhEmi>2015-08-24T10:30:00-03:00</dhEmi><dhSaiEnt>2015-08-24T11:00:00-03:00"
              "</dhSaiEnt><tpNF>1</tpNF><idDest>2</idDest><cMunFG>3550308</cMunFG>"
              "<tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>3</cDV><tpAmb>1</tpAmb>"
              "<finNFe>1</finNFe><indFinal>1</indFinal><indPres>2</indPres>"
              "<procEmi>0</procEmi><verProc>4.2.1</verProc><NFref><refNFe>"
              "35150711222333000181550010000012001123456706</refNFe></NFref></ide>");

    TNFe nfe200 = NFe200SemProtocolo();
    EXPECT_EQ(Group(Render(nfe200).xml, "ide"),
              "<ide><cUF>43</cUF><cNF>87654321</cNF><natOp>VENDA</natOp><indPag>0</indPag>"
              "<mod>55</mod><serie>2</serie><nNF>42</nNF><dEmi>2012-03-05</dEmi>"
              "<dSaiEnt>2012-03-06</dSaiEnt><hSaiEnt>08:15:00</hSaiEnt><tpNF>1</tpNF>"
              "<cMunFG>4314902</cMunFG><NFref><refNF><cUF>43</cUF><AAMM>1112</AAMM>"
              "<CNPJ>44555666000181</CNPJ><mod>01</mod><serie>1</serie><nNF>501</nNF>"
              "</refNF></NFref><tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>8</cDV><tpAmb>1</tpAmb>"
              "<finNFe>1</finNFe><procEmi>0</procEmi><verProc>2.0.9</verProc></ide>");
}

TEST(TNFeW, ExitDateAndContingencyAppearOnlyUnderTheirConditions) {
    TNFe nfce = NFe310ComProtocolo();
    nfce.Ide.modelo = 65;
    EXPECT_THAT(Render(nfce).xml, Not(HasSubstr("<dhSaiEnt>")));

    TNFe semSaida = NFe200SemProtocolo();
    semSaida.Ide.dSaiEnt = 0;
    const std::string xml200 = Render(semSaida).xml;
    EXPECT_THAT(xml200, Not(HasSubstr("<dSaiEnt>")));
    EXPECT_THAT(xml200, Not(HasSubstr("<hSaiEnt>")));

    TNFe contingencia310 = NFe310ComProtocolo();
    contingencia310.Ide.xJust = "Falha na comunicação com a SEFAZ";
    EXPECT_THAT(Render(contingencia310).xml,
                HasSubstr("<verProc>4.2.1</verProc><dhCont>1899-12-30T00:00:00-02:00</dhCont>"
                          "<xJust>Falha na comunicacao com a SEFAZ</xJust><NFref>"));

    TNFe contingencia200 = NFe200SemProtocolo();
    contingencia200.Ide.dhCont = At(2012, 3, 5, 9, 5, 0);
    const WriterOutput r = Render(contingencia200);
    EXPECT_THAT(r.xml, HasSubstr("<dhCont>2012-03-05T09:05:00</dhCont><xJust/></ide>"));
    EXPECT_THAT(r.alertas, ElementsAre("TAG:<ide> ID:B29/xJust(Justificativa da contingencia) - "
                                       "Nenhum valor informado."));
}

TEST(TNFeW, IssuerAddressAndRegistration) {
    TNFe nfe = NFe310ComProtocolo();
    EXPECT_EQ(Group(Render(nfe).xml, "emit"),
              "<emit><CNPJ>11222333000181</CNPJ><xNome>Comercio de Pecas Avila &amp; Filhos "
              "Ltda</xNome><xFant>Avila Pecas</xFant><enderEmit><xLgr>Rua das Flores</xLgr>"
              "<nro>007</nro><xCpl>Sala 2</xCpl><xBairro>Centro</xBairro><cMun>3550308</cMun>"
              "<xMun>Sao Paulo</xMun><UF>SP</UF><CEP>01310100</CEP><cPais>1058</cPais>"
              "<xPais>BRASIL</xPais><fone>1133334444</fone></enderEmit>"
              "<IE>123456789110</IE><CRT>3</CRT></emit>");

    // A foreign country code moves the address abroad, but the country stays Brazil.
    TNFe semPais = NFe310ComProtocolo();
    semPais.Emit.EnderEmit.cPais = 0;
    semPais.Emit.IE = "ISENTO";
    semPais.Emit.IM = "12345";
    semPais.Emit.CNAE = "4530703";
    EXPECT_THAT(Render(semPais).xml,
                HasSubstr("<emit><CNPJ/><xNome>Comercio de Pecas Avila &amp; Filhos Ltda"
                          "</xNome><xFant>Avila Pecas</xFant><enderEmit><xLgr>Rua das Flores"
                          "</xLgr><nro>007</nro><xCpl>Sala 2</xCpl><xBairro>Centro</xBairro>"
                          "<cMun>9999999</cMun><xMun>EXTERIOR</xMun><UF>EX</UF>"
                          "<CEP>01310100</CEP><cPais>1058</cPais><xPais>BRASIL</xPais>"
                          "<fone>1133334444</fone></enderEmit><IE>ISENTO</IE><IM>12345</IM>"
                          "<CNAE>4530703</CNAE><CRT>3</CRT></emit>"));
}

TEST(TNFeW, HouseNumbersOfOneOrTwoDigitsArePadded) {
    struct Case {
        std::string nro;
        bool ajustar;
        std::string expected;
    };
    const Case cases[] = {
        {"7", true, "<nro>007</nro>"},
        {" 42 ", true, "<nro>042</nro>"},
        {"123", true, "<nro>123</nro>"},
        {"7A", true, "<nro>7A</nro>"},
        {"SEM NUMERO", true, "<nro>SEM NUMERO</nro>"},
        {"7", false, "<nro>7</nro>"},
    };
    for (const Case& c : cases) {
        TNFe nfe = NFe310ComProtocolo();
        nfe.Dest.EnderDest.nro = c.nro;
        TNFeW::TGeradorOpcoes opcoes;
        opcoes.AjustarTagNro = c.ajustar;
        EXPECT_THAT(Group(Render(nfe, opcoes).xml, "enderDest"), HasSubstr(c.expected)) << c.nro;
    }
}

TEST(TNFeW, RecipientAtHomeAndAbroad) {
    TNFe nfe = NFe310ComProtocolo();
    EXPECT_EQ(Group(Render(nfe).xml, "dest"),
              "<dest><CPF>12345678909</CPF><xNome>Jose da Silva</xNome><enderDest>"
              "<xLgr>Avenida Atlantica</xLgr><nro>1702</nro><xBairro>Copacabana</xBairro>"
              "<cMun>3304557</cMun><xMun>Rio de Janeiro</xMun><UF>RJ</UF><CEP>22021001</CEP>"
              "<cPais>1058</cPais><xPais>BRASIL</xPais><fone>2122223333</fone></enderDest>"
              "<indIEDest>9</indIEDest><email>jose@example.com.br</email></dest>");

    TNFe semPais = NFe310ComProtocolo();
    semPais.Dest.EnderDest.cPais = 0;
    semPais.Dest.EnderDest.xPais = "";
    const std::string enderDest = Group(Render(semPais).xml, "enderDest");
    EXPECT_THAT(enderDest, HasSubstr("<cMun>9999999</cMun><xMun>EXTERIOR</xMun><UF>EX</UF>"));
    EXPECT_THAT(enderDest, Not(HasSubstr("<cPais>")));

    TNFe exterior = NFe310ComProtocolo();
    exterior.Dest.CNPJCPF = "";
    exterior.Dest.idEstrangeiro = "P1234567";
    exterior.Dest.EnderDest.cPais = 2496;
    exterior.Dest.EnderDest.xPais = "ESTADOS UNIDOS";
    const WriterOutput r = Render(exterior);
    EXPECT_THAT(r.xml, HasSubstr("<dest><idEstrangeiro>P1234567</idEstrangeiro>"));
    EXPECT_THAT(r.xml, HasSubstr("<cMun>9999999</cMun><xMun>EXTERIOR</xMun><UF>EX</UF>"
                                 "<CEP>22021001</CEP><cPais>2496</cPais>"
                                 "<xPais>ESTADOS UNIDOS</xPais>"));
    EXPECT_THAT(r.alertas, IsEmpty());

    // Layout 2.00 knows no foreign identification: the CNPJ element stays, empty.
    TNFe exterior200 = NFe200SemProtocolo();
    exterior200.Dest.EnderDest.cPais = 2496;
    EXPECT_THAT(Render(exterior200).xml, HasSubstr("<dest><CNPJ/><xNome>"));
}

TEST(TNFeW, RecipientNameRegistrationAndPresence) {
    TNFe homologacao = NFe310ComProtocolo();
    homologacao.Ide.tpAmb = TkroTipoAmbiente::taHomologacao;
    EXPECT_THAT(Render(homologacao).xml,
                HasSubstr("<xNome>NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL"
                          "</xNome>"));

    struct Case {
        double versao;
        int modelo;
        TkroindIEDest indIEDest;
        std::string IE;
        std::string expected;  // the text from indIEDest (or xPais) to ISUF
    };
    const Case cases[] = {
        {3.1, 55, TkroindIEDest::inContribuinte, "029/0012345",
         "<indIEDest>1</indIEDest><IE>0290012345</IE>"},
        {3.1, 55, TkroindIEDest::inContribuinte, "ISENTO",
         "<indIEDest>1</indIEDest><IE>ISENTO</IE>"},
        {3.1, 55, TkroindIEDest::inContribuinte, "", "<indIEDest>1</indIEDest>"},
        {3.1, 55, TkroindIEDest::inIsento, "123", "<indIEDest>2</indIEDest>"},
        {3.1, 55, TkroindIEDest::inContribuinte, "  ", "<indIEDest>1</indIEDest><IE/>"},
        {3.1, 65, TkroindIEDest::inContribuinte, "  ", "<indIEDest>1</indIEDest>"},
        // Before 3.10 every recipient counts as a contributor, and IE is always written.
        {2.0, 55, TkroindIEDest::inIsento, "", "<IE/>"},
        {2.0, 55, TkroindIEDest::inNaoContribuinte, "12.345", "<IE>12345</IE>"},
    };
    for (const Case& c : cases) {
        TNFe nfe = NFe310ComProtocolo();
        nfe.infNFe.SetVersao(c.versao);
        nfe.Ide.modelo = c.modelo;
        nfe.Dest.indIEDest = c.indIEDest;
        nfe.Dest.IE = c.IE;
        nfe.Dest.ISUF = "123456789";
        const std::string dest = Group(Render(nfe).xml, "dest");
        EXPECT_THAT(dest, HasSubstr("</enderDest>" + c.expected + "<ISUF>")) << c.IE;
        if (c.versao < 3.1) {
            EXPECT_EQ(nfe.Dest.indIEDest, TkroindIEDest::inContribuinte);
        }
    }

    TNFe nfce = NFe310ComProtocolo();
    nfce.Ide.modelo = 65;
    nfce.Dest = TDest();
    EXPECT_THAT(Render(nfce).xml, Not(HasSubstr("<dest>")));
    nfce.Dest.EnderDest.UF = "EX";
    EXPECT_THAT(Render(nfce).xml,
                HasSubstr("<dest><idEstrangeiro/><indIEDest>1</indIEDest></dest>"));
    nfce.Dest = TDest();
    nfce.Dest.CNPJCPF = "12345678909";
    EXPECT_THAT(Render(nfce).xml,
                HasSubstr("<dest><CPF>12345678909</CPF><indIEDest>1</indIEDest></dest>"));
}

TEST(TNFeW, PickUpPlaceDeliveryPlaceSeparateNoteAndAuthorisedParties) {
    TNFe nfe200 = NFe200SemProtocolo();
    EXPECT_EQ(Group(Render(nfe200).xml, "retirada"),
              "<retirada><CNPJ>11222333000181</CNPJ><xLgr>Rua do Deposito</xLgr>"
              "<nro>SEM NUMERO</nro><xBairro>Navegantes</xBairro><cMun>4314902</cMun>"
              "<xMun>Porto Alegre</xMun><UF>RS</UF></retirada>");

    TNFe nfe = NFe310ComProtocolo();
    // The delivery place is written as it is, even for an issuer abroad.
    nfe.Emit.EnderEmit.cPais = 0;
    nfe.Avulsa.CNPJ = "44555666000181";
    nfe.Avulsa.xOrgao = "SEFAZ";
    nfe.Avulsa.matr = "998";
    nfe.Avulsa.xAgente = "Ana";
    nfe.Avulsa.UF = "SP";
    nfe.Avulsa.vDAR = Currency::FromDouble(12.3);
    nfe.Avulsa.repEmi = "DRT-1";
    nfe.Avulsa.dPag = At(2015, 8, 20);
    nfe.Retirada.xLgr = "Rua A";
    nfe.Retirada.cMun = 3550308;
    nfe.Retirada.xMun = "São Paulo";
    nfe.Retirada.UF = "SP";
    const std::string xml = Render(nfe).xml;
    EXPECT_EQ(Group(xml, "avulsa"),
              "<avulsa><CNPJ>44555666000181</CNPJ><xOrgao>SEFAZ</xOrgao><matr>998</matr>"
              "<xAgente>Ana</xAgente><UF>SP</UF><vDAR>12.30</vDAR><repEmi>DRT-1</repEmi>"
              "<dPag>2015-08-20</dPag></avulsa>");
    EXPECT_THAT(xml, HasSubstr("</avulsa><dest>"));
    EXPECT_EQ(Group(xml, "retirada"),
              "<retirada><CNPJ/><xLgr>Rua A</xLgr><nro/><xBairro/><cMun>9999999</cMun>"
              "<xMun>EXTERIOR</xMun><UF>EX</UF></retirada>");
    EXPECT_THAT(
        xml,
        HasSubstr(
            "<entrega><CPF>12345678909</CPF><xLgr>Rua Barata Ribeiro</xLgr><nro>042</nro>"
            "<xBairro>Copacabana</xBairro><cMun>3304557</cMun><xMun>Rio de Janeiro</xMun>"
            "<UF>RJ</UF></entrega><autXML><CNPJ>44555666000181</CNPJ></autXML><det nItem=\"1\">"));
}

TEST(TNFeW, SignatureBlockFollowsItsOption) {
    using Tag = TNFeW::TkroTagAssinatura;
    struct Case {
        Tag opcao;
        bool assinada;
        bool expected;
    };
    const Case cases[] = {
        {Tag::taSomenteSeAssinada, false, false},
        {Tag::taSomenteSeAssinada, true, true},
        {Tag::taSempre, false, true},
        {Tag::taNunca, true, false},
        {Tag::taSomenteParaNaoAssinada, false, true},
        {Tag::taSomenteParaNaoAssinada, true, false},
    };
    for (const Case& c : cases) {
        TNFe nfe = NFe310ComProtocolo();
        if (c.assinada) {
            nfe.signature.DigestValue = "ZGlnZXN0";
            nfe.signature.SignatureValue = "c2lnbmF0dXJl";
            nfe.signature.X509Certificate = "Y2VydA==";
        }
        TNFeW::TGeradorOpcoes opcoes;
        opcoes.GerarTagAssinatura = c.opcao;
        EXPECT_EQ(Render(nfe, opcoes).xml.find("<Signature") != std::string::npos, c.expected)
            << static_cast<int>(c.opcao) << c.assinada;
    }

    TNFe nfe = NFe310ComProtocolo();
    nfe.signature.DigestValue = "ZGlnZXN0";
    nfe.signature.SignatureValue = "c2lnbmF0dXJl";
    nfe.signature.X509Certificate = std::string(1500, 'A');
    const WriterOutput r = Render(nfe);
    EXPECT_THAT(r.xml,
                HasSubstr(std::string("</infNFe><Signature xmlns=\"http://www.w3.org/2000/09/"
                                      "xmldsig#\"><SignedInfo><CanonicalizationMethod "
                                      "Algorithm=\"http://www.w3.org/TR/2001/"
                                      "REC-xml-c14n-20010315\"/><SignatureMethod "
                                      "Algorithm=\"http://www.w3.org/2000/09/"
                                      "xmldsig#rsa-sha1\"/><Reference URI=\"#NFe") +
                          kKey310 +
                          "\"><Transforms><Transform Algorithm=\"http://www.w3.org/2000/09/"
                          "xmldsig#enveloped-signature\"/><Transform "
                          "Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
                          "</Transforms><DigestMethod Algorithm=\"http://www.w3.org/2000/09/"
                          "xmldsig#sha1\"/><DigestValue>ZGlnZXN0</DigestValue></Reference>"
                          "</SignedInfo><SignatureValue>c2lnbmF0dXJl</SignatureValue><KeyInfo>"
                          "<X509Data><X509Certificate>" +
                          std::string(1500, 'A') +
                          "</X509Certificate></X509Data></KeyInfo></Signature></NFe>"));
    EXPECT_EQ(nfe.signature.URI, kKey310);
    // A certificate is longer than the block's size limits; that is no fault of the document.
    EXPECT_THAT(r.alertas, IsEmpty());

    TNFe vazia = NFe310ComProtocolo();
    TNFeW::TGeradorOpcoes sempre;
    sempre.GerarTagAssinatura = Tag::taSempre;
    EXPECT_THAT(Render(vazia, sempre).xml,
                HasSubstr("<DigestValue></DigestValue></Reference></SignedInfo>"
                          "<SignatureValue></SignatureValue>"));
}

TEST(TNFeW, InvalidCodesBecomeAlerts) {
    struct Case {
        const char* name;
        void (*change)(TNFe&);
        std::string alerta;
    };
    const Case cases[] = {
        {"cUF", [](TNFe& n) { n.Ide.cUF = 99; }, "TAG:<ide> ID:B02/cUF(UF) - Conteúdo inválido."},
        {"cMunFG", [](TNFe& n) { n.Ide.cMunFG = 3550309; },
         "TAG:<ide> ID:B12/cMunFG(Codigo do municipio) - Conteúdo inválido."},
        {"refNFe", [](TNFe& n) { n.Ide.NFref[0].refNFe[20] = '9'; },
         "TAG:<ide><NFref> ID:B13/refNFe(Chave da NF-e referenciada) - Conteúdo inválido."},
        {"refCTe", [](TNFe& n) { n.Ide.NFref[0].refCTe = std::string(44, '1'); },
         "TAG:<ide><NFref> ID:B20i/refCTe(Chave do CT-e referenciado) - Conteúdo inválido."},
        {"refNF.cUF",
         [](TNFe& n) { n.Ide.NFref[0].RefNF = {0, "1512", "44555666000181", 1, 1, 7}; },
         "TAG:<ide><NFref><refNF> ID:B15/cUF(UF) - Conteúdo inválido."},
        {"refNF.AAMM",
         [](TNFe& n) { n.Ide.NFref[0].RefNF = {35, "1513", "44555666000181", 1, 1, 7}; },
         "TAG:<ide><NFref><refNF> ID:B16/AAMM(Ano e mes de emissao) - Periodo inválido."},
        {"refNF.mod",
         [](TNFe& n) { n.Ide.NFref[0].RefNF = {35, "1512", "44555666000181", 2, 1, 7}; },
         "TAG:<ide><NFref><refNF> ID:B18/mod(Modelo do documento fiscal) - Modelo de "
         "documento inválido."},
        {"refNFP.AAMM",
         [](TNFe& n) { n.Ide.NFref[0].RefNFP = {35, "1500", "12345678909", "ISENTO", "04", 1, 7}; },
         "TAG:<ide><NFref><refNFP> ID:B20c/AAMM(Ano e mes de emissao) - Periodo inválido."},
        {"NFref count",
         [](TNFe& n) {
             for (int i = 0; i < 500; ++i) {
                 n.Ide.NFref.Add().refNFe = n.Ide.NFref[0].refNFe;
             }
         },
         "TAG:<ide> ID:B12a/NFref(Documentos referenciados) - Número de ocorrências maior que "
         "o máximo permitido - Máximo 500."},
        {"enderEmit.UF", [](TNFe& n) { n.Emit.EnderEmit.UF = "XX"; },
         "TAG:<emit><enderEmit> ID:C12/UF(Sigla da UF) - Conteúdo inválido."},
        {"enderEmit.cMun", [](TNFe& n) { n.Emit.EnderEmit.cMun = 1234567; },
         "TAG:<emit><enderEmit> ID:C10/cMun(Codigo do municipio) - Conteúdo inválido."},
        {"avulsa.UF",
         [](TNFe& n) {
             n.Avulsa = {"44555666000181", "SEFAZ", "1", "Ana", "", "S", "", 0, {}, "R", 0};
         },
         "TAG:<avulsa> ID:D07/UF(Sigla da UF) - Conteúdo inválido."},
        {"enderDest.cMun", [](TNFe& n) { n.Dest.EnderDest.cMun = 3304550; },
         "TAG:<dest><enderDest> ID:E10/cMun(Codigo do municipio) - Conteúdo inválido."},
        {"enderDest.UF", [](TNFe& n) { n.Dest.EnderDest.UF = "rj"; },
         "TAG:<dest><enderDest> ID:E12/UF(Sigla da UF) - Conteúdo inválido."},
        {"enderDest.cPais",
         [](TNFe& n) {
             n.Dest.CNPJCPF = "";
             n.Dest.idEstrangeiro = "X1";
             n.Dest.EnderDest.cPais = 2497;
         },
         "TAG:<dest><enderDest> ID:E14/cPais(Codigo do pais) - Conteúdo inválido."},
        {"retirada.UF",
         [](TNFe& n) {
             n.Retirada = {"11222333000181", "Rua A", "1", "", "B", 3550308, "São Paulo", "S"};
         },
         "TAG:<retirada> ID:F09/UF(Sigla da UF) - Conteúdo inválido."},
        {"entrega.cMun", [](TNFe& n) { n.Entrega.cMun = 0; },
         "TAG:<entrega> ID:G07/cMun(Codigo do municipio) - Conteúdo inválido."},
        {"autXML count",
         [](TNFe& n) {
             for (int i = 0; i < 10; ++i) {
                 n.autXML.Add().CNPJCPF = "44555666000181";
             }
         },
         "TAG: ID:G50/autXML(Autorizados a obter o XML) - Número de ocorrências maior que o "
         "máximo permitido - Máximo 10."},
    };
    for (const Case& c : cases) {
        TNFe nfe = NFe310ComProtocolo();
        // Keeps nfeProc, which is part of the breadcrumb, out of the alert lines.
        nfe.procNFe.nProt = "";
        c.change(nfe);
        const WriterOutput r = Render(nfe);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_THAT(r.alertas, ElementsAre(c.alerta)) << c.name;
    }
}

// Both addresses check the municipality code they write: abroad, 9999999.
TEST(TNFeW, AnAddressAbroadIsCheckedAsWritten) {
    TNFe nfe = NFe310ComProtocolo();
    nfe.Emit.EnderEmit.cPais = 2496;
    nfe.Emit.EnderEmit.cMun = 0;
    nfe.Dest.EnderDest.cPais = 2496;
    nfe.Dest.EnderDest.cMun = 0;
    const WriterOutput r = Render(nfe);
    EXPECT_THAT(r.alertas, Not(Contains(HasSubstr("cMun"))));
    EXPECT_THAT(Group(r.xml, "enderEmit"), HasSubstr("<cMun>9999999</cMun>"));
    EXPECT_THAT(Group(r.xml, "enderDest"), HasSubstr("<cMun>9999999</cMun>"));
}

TEST(TNFeW, MunicipalityNamesCanBeTakenFromTheStateLists) {
    TemporaryDirectory dir;
    test_support::WriteFile(dir / "MunIBGE-UF35.txt",
                            "3550209 SAO LOURENCO DA SERRA\r\n3550308 SAO PAULO\r\n");
    TNFe nfe = NFe310ComProtocolo();
    TNFeW::TGeradorOpcoes opcoes;
    opcoes.NormatizarMunicipios = true;
    opcoes.PathArquivoMunicipios = dir.path().string();
    const std::string xml = Render(nfe, opcoes).xml;
    EXPECT_THAT(xml, HasSubstr("<cMun>3550308</cMun><xMun>SAO PAULO</xMun>"));
    // Rio de Janeiro has no list here, so its name stays as the document holds it.
    EXPECT_THAT(xml, HasSubstr("<cMun>3304557</cMun><xMun>Rio de Janeiro</xMun>"));
}

}  // namespace
}  // namespace nfe
