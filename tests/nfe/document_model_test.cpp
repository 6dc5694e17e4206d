#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "nfe/model/nfe_document.h"

namespace nfe {
namespace {

TEST(DocumentModel, NewDocumentHoldsTheDefaults) {
    const TNFe nfe;
    EXPECT_EQ(nfe.Emit.EnderEmit.cPais, 1058);
    EXPECT_EQ(nfe.Emit.EnderEmit.xPais, "BRASIL");
    EXPECT_EQ(nfe.Emit.EnderEmit.nro, "SEM NUMERO");
    EXPECT_EQ(nfe.Dest.EnderDest.cPais, 1058);
    EXPECT_EQ(nfe.Dest.EnderDest.xPais, "BRASIL");
    EXPECT_EQ(nfe.Dest.EnderDest.nro, "SEM NUMERO");
    EXPECT_EQ(nfe.Emit.CRT, TkroCRT::crtRegimeNormal);

    EXPECT_EQ(nfe.Ide.tpAmb, TkroTipoAmbiente::taProducao);
    EXPECT_EQ(nfe.Ide.tpImp, TkroTipoImpressao::tiSemGeracao);
    EXPECT_EQ(nfe.Ide.tpEmis, TkroTipoEmissao::teNormal);
    EXPECT_EQ(nfe.Ide.tpNF, TkroTipoNFe::tnEntrada);
    EXPECT_EQ(nfe.Ide.idDest, TkroDestinoOperacao::doInterna);
    EXPECT_EQ(nfe.Transp.modFrete, TkroModalidadeFrete::mfContaEmitente);
    EXPECT_EQ(nfe.procNFe.tpAmb, TkroTipoAmbiente::taProducao);
    EXPECT_EQ(nfe.Ide.nNF, 0);
    EXPECT_EQ(nfe.Ide.dEmi, 0.0);
    EXPECT_TRUE(nfe.Total.ICMSTot.vNF.IsZero());
    EXPECT_TRUE(nfe.procNFe.nProt.empty());
    EXPECT_EQ(nfe.Det.Count(), 0);
    EXPECT_EQ(nfe.Transp.Vol.Count(), 0);
    // The places of pick-up and delivery have no address defaults.
    EXPECT_TRUE(nfe.Retirada.nro.empty());
    EXPECT_TRUE(nfe.Entrega.nro.empty());
}

TEST(DocumentModel, VersionReadsTwoUntilAPositiveValueIsStored) {
    struct Case {
        double stored;
        double read;
        const char* attribute;
    };
    const Case cases[] = {
        {0.0, 2.0, "versao=\"2.00\""},
        {-1.0, 2.0, "versao=\"2.00\""},
        {std::numeric_limits<double>::quiet_NaN(), 2.0, "versao=\"2.00\""},
        {2.0, 2.0, "versao=\"2.00\""},
        {3.0, 3.0, "versao=\"3.00\""},
        {3.1, 3.1, "versao=\"3.10\""},
        {3.10, 3.1, "versao=\"3.10\""},
        {0.5, 0.5, "versao=\"0.50\""},
        {12.345, 12.345, "versao=\"12.35\""},
    };
    for (const auto& c : cases) {
        TInfNFe info;
        info.SetVersao(c.stored);
        EXPECT_EQ(info.Versao(), c.read) << c.stored;
        EXPECT_EQ(info.VersaoStr(), c.attribute) << c.stored;
    }
    EXPECT_EQ(TNFe().infNFe.VersaoStr(), "versao=\"2.00\"");
}

TEST(DocumentModel, AddReturnsItemsWithAllTheirSubObjects) {
    TNFe nfe;
    TDetCollectionItem& det = nfe.Det.Add();
    EXPECT_EQ(nfe.Det.Count(), 1);
    EXPECT_EQ(&det, &nfe.Det[0]);
    EXPECT_EQ(det.Prod.NVE.Count(), 0);
    EXPECT_EQ(det.Prod.veicProd.tpOP, TkroTipoOperacao::toVendaConcessionaria);
    EXPECT_EQ(det.Imposto.ICMS.CST, TkroCSTIcms::cst00);
    EXPECT_EQ(det.Imposto.ICMS.CSOSN, TkroCSOSNIcms::csosnVazio);
    EXPECT_EQ(det.Imposto.COFINS.CST, TkroCstCofins::cof01);
    EXPECT_TRUE(det.Imposto.ISSQN.vBC.IsZero());

    det.Prod.cProd = "A1";
    det.Prod.DI.Add().adi.Add().nAdicao = 3;
    nfe.Det.Add().Prod.cProd = "B2";
    // Earlier items stay where they were.
    EXPECT_EQ(det.Prod.cProd, "A1");
    EXPECT_EQ(nfe.Det[0].Prod.DI[0].adi[0].nAdicao, 3);
    EXPECT_EQ(nfe.Det[1].Prod.cProd, "B2");

    TVolCollectionItem& vol = nfe.Transp.Vol.Add();
    EXPECT_EQ(vol.Lacres.Count(), 0);
    vol.Lacres.Add().nLacre = "L1";
    EXPECT_EQ(nfe.Transp.Vol[0].Lacres[0].nLacre, "L1");

    nfe.Det.Clear();
    EXPECT_EQ(nfe.Det.Count(), 0);
}

TEST(DocumentModel, CopyIsDeep) {
    TNFe source;
    source.infNFe.SetVersao(3.1);
    source.Ide.nNF = 42;
    source.Det.Add().Prod.med.Add().nLote = "L-9";
    source.Transp.Vol.Add().Lacres.Add().nLacre = "S1";
    source.Total.ICMSTot.vNF = Currency::FromUnits(10);

    TNFe copy;
    copy = source;
    EXPECT_EQ(copy, source);
    EXPECT_EQ(copy.infNFe.Versao(), 3.1);

    copy.Det[0].Prod.med[0].nLote = "changed";
    copy.Transp.Vol[0].Lacres.Add();
    copy.infNFe.SetVersao(0);
    EXPECT_EQ(source.Det[0].Prod.med[0].nLote, "L-9");
    EXPECT_EQ(source.Transp.Vol[0].Lacres.Count(), 1);
    EXPECT_EQ(source.infNFe.Versao(), 3.1);
    EXPECT_NE(copy, source);
}

TEST(DocumentModel, CombDescricaoLabelsKnownFuelCodes) {
    struct Case {
        const char* tpComb;
        const char* label;
    };
    const Case cases[] = {
        {"1", "01 - ALCOOL"},
        {"7", "07 - ELETRICO/FONTE EXTERNA"},
        {"07", "07 - ELETRICO/FONTE EXTERNA"},
        {"18", "18 - GASOLINA/ELETRICO"},
        {"19", "19"},
        {"0", "0"},
        {"", ""},
        {"X", "X"},
        {"7X", "7X"},
        {"-7", "-7"},
        {"99999999999", "99999999999"},
    };
    for (const auto& c : cases) {
        TveicProd veic;
        veic.tpComb = c.tpComb;
        EXPECT_EQ(veic.CombDescricao(), c.label) << c.tpComb;
    }
}

}  // namespace
}  // namespace nfe
