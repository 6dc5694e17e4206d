// Renders each sample invoice as the portal's print page, captures the page as the program
// does, converts it, and compares every field that the conversion reads with the invoice.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <type_traits>

#include "capture/capture_page.h"
#include "convert/convert_page_text.h"
#include "convert/page_document.h"
#include "sample/invoices/invoice_builders.h"
#include "sample/print_page/print_page.h"

namespace sample {
namespace {

nfe::TNFe RoundTrip(const nfe::TNFe& source, const convert::ConversionSettings& settings = {}) {
    const capture::PageLines lines =
        capture::PageLinesFromDocument(RenderPrintPage(source)).value();
    return convert::ReadPageDocument(capture::JoinPageLines(lines), settings);
}

// What the conversion makes of the page where it does not give back the document's own
// value: the house number is cut from the address after its comma, blank included, ten
// characters long; the issuer's municipality name keeps the blank after "code -"; a layout
// newer than 3.10 is read as 3.10.
nfe::TNFe AsReadFromThePage(nfe::TNFe nfe) {
    if (nfe.infNFe.Versao() > 3.1) {
        nfe.infNFe.SetVersao(3.1);
    }
    nfe.Emit.EnderEmit.nro = (" " + nfe.Emit.EnderEmit.nro).substr(0, 10);
    nfe.Dest.EnderDest.nro = (" " + nfe.Dest.EnderDest.nro).substr(0, 10);
    nfe.Emit.EnderEmit.xMun = " " + nfe.Emit.EnderEmit.xMun;
    return nfe;
}

// Values as gtest shows them: money as its count of 1/10000, enumerations as their ordinal.
template <class T>
auto Shown(const T& value) {
    if constexpr (std::is_same_v<T, nfe::Currency>) {
        return value.Raw();
    } else if constexpr (std::is_enum_v<T>) {
        return static_cast<int>(value);
    } else {
        return value;
    }
}

#define EXPECT_FIELD(path) EXPECT_EQ(Shown(expected.path), Shown(actual.path)) << #path

void ExpectSameHeader(const nfe::TNFe& expected, const nfe::TNFe& actual) {
    EXPECT_FIELD(infNFe.ID);
    EXPECT_FIELD(infNFe.Versao());
    EXPECT_FIELD(Ide.cUF);
    EXPECT_FIELD(Ide.cNF);
    EXPECT_FIELD(Ide.natOp);
    EXPECT_FIELD(Ide.indPag);
    EXPECT_FIELD(Ide.modelo);
    EXPECT_FIELD(Ide.serie);
    EXPECT_FIELD(Ide.nNF);
    EXPECT_FIELD(Ide.dEmi);
    EXPECT_FIELD(Ide.dSaiEnt);
    EXPECT_FIELD(Ide.hSaiEnt);
    EXPECT_FIELD(Ide.tpNF);
    EXPECT_FIELD(Ide.cMunFG);
    EXPECT_FIELD(Ide.tpImp);
    EXPECT_FIELD(Ide.tpEmis);
    EXPECT_FIELD(Ide.finNFe);
    EXPECT_FIELD(Ide.procEmi);
    EXPECT_FIELD(Ide.verProc);
    EXPECT_FIELD(procNFe.chNFe);
    EXPECT_FIELD(procNFe.dhRecbto);
    EXPECT_FIELD(procNFe.nProt);
    EXPECT_FIELD(procNFe.digVal);
    EXPECT_FIELD(procNFe.cStat);
    EXPECT_FIELD(procNFe.xMotivo);
}

void ExpectSameParties(const nfe::TNFe& expected, const nfe::TNFe& actual) {
    EXPECT_FIELD(Emit.CNPJCPF);
    EXPECT_FIELD(Emit.xNome);
    EXPECT_FIELD(Emit.xFant);
    EXPECT_FIELD(Emit.IE);
    EXPECT_FIELD(Emit.IEST);
    EXPECT_FIELD(Emit.IM);
    EXPECT_FIELD(Emit.CNAE);
    EXPECT_FIELD(Emit.CRT);
    EXPECT_FIELD(Emit.EnderEmit.xLgr);
    EXPECT_FIELD(Emit.EnderEmit.nro);
    EXPECT_FIELD(Emit.EnderEmit.xBairro);
    EXPECT_FIELD(Emit.EnderEmit.cMun);
    EXPECT_FIELD(Emit.EnderEmit.xMun);
    EXPECT_FIELD(Emit.EnderEmit.UF);
    EXPECT_FIELD(Emit.EnderEmit.CEP);
    EXPECT_FIELD(Emit.EnderEmit.cPais);
    EXPECT_FIELD(Emit.EnderEmit.xPais);
    EXPECT_FIELD(Emit.EnderEmit.fone);
    EXPECT_FIELD(Dest.CNPJCPF);
    EXPECT_FIELD(Dest.xNome);
    EXPECT_FIELD(Dest.IE);
    EXPECT_FIELD(Dest.Email);
    EXPECT_FIELD(Dest.EnderDest.xLgr);
    EXPECT_FIELD(Dest.EnderDest.nro);
    EXPECT_FIELD(Dest.EnderDest.xBairro);
    EXPECT_FIELD(Dest.EnderDest.cMun);
    EXPECT_FIELD(Dest.EnderDest.xMun);
    EXPECT_FIELD(Dest.EnderDest.UF);
    EXPECT_FIELD(Dest.EnderDest.CEP);
    EXPECT_FIELD(Dest.EnderDest.cPais);
    EXPECT_FIELD(Dest.EnderDest.xPais);
    EXPECT_FIELD(Dest.EnderDest.fone);
}

void ExpectSameProduct(const nfe::TDetCollectionItem& expected,
                       const nfe::TDetCollectionItem& actual) {
    EXPECT_FIELD(Prod.nItem);
    EXPECT_FIELD(Prod.cProd);
    EXPECT_FIELD(Prod.xProd);
    EXPECT_FIELD(Prod.NCM);
    EXPECT_FIELD(Prod.EXTIPI);
    EXPECT_FIELD(Prod.CFOP);
    EXPECT_FIELD(Prod.cEAN);
    EXPECT_FIELD(Prod.uCom);
    EXPECT_FIELD(Prod.qCom);
    EXPECT_FIELD(Prod.vUnCom);
    EXPECT_FIELD(Prod.vProd);
    EXPECT_FIELD(Prod.cEANTrib);
    EXPECT_FIELD(Prod.uTrib);
    EXPECT_FIELD(Prod.qTrib);
    EXPECT_FIELD(Prod.vUnTrib);
    EXPECT_FIELD(Prod.vFrete);
    EXPECT_FIELD(Prod.vSeg);
    EXPECT_FIELD(Prod.vDesc);
    EXPECT_FIELD(Prod.vOutro);
    EXPECT_FIELD(Prod.IndTot);
    EXPECT_FIELD(Prod.xPed);
    EXPECT_FIELD(Prod.nItemPed);
    EXPECT_FIELD(Prod.veicProd.chassi);
    EXPECT_FIELD(Prod.veicProd.cCor);
    EXPECT_FIELD(Prod.veicProd.xCor);
    EXPECT_FIELD(Prod.veicProd.nSerie);
    EXPECT_FIELD(Prod.veicProd.tpComb);
    EXPECT_FIELD(Prod.veicProd.nMotor);
    EXPECT_FIELD(Prod.veicProd.anoMod);
    EXPECT_FIELD(Prod.veicProd.anoFab);
    EXPECT_FIELD(infAdProd);
    ASSERT_EQ(expected.Prod.med.Count(), actual.Prod.med.Count());
    for (int j = 0; j < expected.Prod.med.Count(); ++j) {
        SCOPED_TRACE("lot " + std::to_string(j + 1));
        EXPECT_FIELD(Prod.med[j].nLote);
        EXPECT_FIELD(Prod.med[j].qLote);
        EXPECT_FIELD(Prod.med[j].dFab);
        EXPECT_FIELD(Prod.med[j].dVal);
        EXPECT_FIELD(Prod.med[j].vPMC);
    }
}

void ExpectSameTaxes(const nfe::TDetCollectionItem& expected,
                     const nfe::TDetCollectionItem& actual) {
    EXPECT_FIELD(Imposto.vTotTrib);
    EXPECT_FIELD(Imposto.ICMS.orig);
    EXPECT_FIELD(Imposto.ICMS.CST);
    EXPECT_FIELD(Imposto.ICMS.CSOSN);
    EXPECT_FIELD(Imposto.ICMS.modBC);
    EXPECT_FIELD(Imposto.ICMS.pRedBC);
    EXPECT_FIELD(Imposto.ICMS.vBC);
    EXPECT_FIELD(Imposto.ICMS.pICMS);
    EXPECT_FIELD(Imposto.ICMS.vICMS);
    EXPECT_FIELD(Imposto.ICMS.modBCST);
    EXPECT_FIELD(Imposto.ICMS.pMVAST);
    EXPECT_FIELD(Imposto.ICMS.pRedBCST);
    EXPECT_FIELD(Imposto.ICMS.vBCST);
    EXPECT_FIELD(Imposto.ICMS.pICMSST);
    EXPECT_FIELD(Imposto.ICMS.vICMSST);
    EXPECT_FIELD(Imposto.ICMS.vBCSTRet);
    EXPECT_FIELD(Imposto.ICMS.vICMSSTRet);
    EXPECT_FIELD(Imposto.ICMS.pCredSN);
    EXPECT_FIELD(Imposto.ICMS.vCredICMSSN);
    EXPECT_FIELD(Imposto.ICMS.vICMSOp);
    EXPECT_FIELD(Imposto.ICMS.pDif);
    EXPECT_FIELD(Imposto.ICMS.vICMSDif);
    EXPECT_FIELD(Imposto.IPI.cEnq);
    EXPECT_FIELD(Imposto.IPI.CST);
    EXPECT_FIELD(Imposto.IPI.vBC);
    EXPECT_FIELD(Imposto.IPI.qUnid);
    EXPECT_FIELD(Imposto.IPI.vUnid);
    EXPECT_FIELD(Imposto.IPI.pIPI);
    EXPECT_FIELD(Imposto.IPI.vIPI);
    EXPECT_FIELD(Imposto.II.vBc);
    EXPECT_FIELD(Imposto.II.vDespAdu);
    EXPECT_FIELD(Imposto.II.vII);
    EXPECT_FIELD(Imposto.II.vIOF);
    EXPECT_FIELD(Imposto.PIS.CST);
    EXPECT_FIELD(Imposto.PIS.vBC);
    EXPECT_FIELD(Imposto.PIS.pPIS);
    EXPECT_FIELD(Imposto.PIS.vPIS);
    EXPECT_FIELD(Imposto.COFINS.CST);
    EXPECT_FIELD(Imposto.COFINS.vBC);
    EXPECT_FIELD(Imposto.COFINS.pCOFINS);
    EXPECT_FIELD(Imposto.COFINS.vCOFINS);
}

void ExpectSameClosing(const nfe::TNFe& expected, const nfe::TNFe& actual) {
    EXPECT_FIELD(Total.ICMSTot.vBC);
    EXPECT_FIELD(Total.ICMSTot.vICMS);
    EXPECT_FIELD(Total.ICMSTot.vBCST);
    EXPECT_FIELD(Total.ICMSTot.vST);
    EXPECT_FIELD(Total.ICMSTot.vProd);
    EXPECT_FIELD(Total.ICMSTot.vFrete);
    EXPECT_FIELD(Total.ICMSTot.vSeg);
    EXPECT_FIELD(Total.ICMSTot.vDesc);
    EXPECT_FIELD(Total.ICMSTot.vII);
    EXPECT_FIELD(Total.ICMSTot.vIPI);
    EXPECT_FIELD(Total.ICMSTot.vPIS);
    EXPECT_FIELD(Total.ICMSTot.vCOFINS);
    EXPECT_FIELD(Total.ICMSTot.vOutro);
    EXPECT_FIELD(Total.ICMSTot.vNF);
    EXPECT_FIELD(Total.ICMSTot.vTotTrib);
    EXPECT_FIELD(Transp.modFrete);
    EXPECT_FIELD(Transp.Transporta.CNPJCPF);
    EXPECT_FIELD(Transp.Transporta.xNome);
    EXPECT_FIELD(Transp.Transporta.IE);
    EXPECT_FIELD(Transp.Transporta.xEnder);
    EXPECT_FIELD(Transp.Transporta.xMun);
    EXPECT_FIELD(Transp.Transporta.UF);
    EXPECT_FIELD(Transp.veicTransp.placa);
    EXPECT_FIELD(Transp.veicTransp.UF);
    EXPECT_FIELD(Transp.veicTransp.RNTC);
    ASSERT_EQ(expected.Transp.Vol.Count(), actual.Transp.Vol.Count());
    for (int i = 0; i < expected.Transp.Vol.Count(); ++i) {
        EXPECT_FIELD(Transp.Vol[i].qVol);
        EXPECT_FIELD(Transp.Vol[i].esp);
        EXPECT_FIELD(Transp.Vol[i].marca);
        EXPECT_FIELD(Transp.Vol[i].nVol);
        EXPECT_FIELD(Transp.Vol[i].pesoL);
        EXPECT_FIELD(Transp.Vol[i].pesoB);
    }
    EXPECT_FIELD(Cobr.Fat.nFat);
    EXPECT_FIELD(Cobr.Fat.vOrig);
    EXPECT_FIELD(Cobr.Fat.vDesc);
    EXPECT_FIELD(Cobr.Fat.vLiq);
    ASSERT_EQ(expected.Cobr.Dup.Count(), actual.Cobr.Dup.Count());
    for (int i = 0; i < expected.Cobr.Dup.Count(); ++i) {
        EXPECT_FIELD(Cobr.Dup[i].nDup);
        EXPECT_FIELD(Cobr.Dup[i].dVenc);
        EXPECT_FIELD(Cobr.Dup[i].vDup);
    }
    EXPECT_FIELD(InfAdic.infAdFisco);
    EXPECT_FIELD(InfAdic.infCpl);
}

class RoundTripTest : public ::testing::TestWithParam<SampleDocument> {};

TEST_P(RoundTripTest, GivesBackEveryFieldTheConversionReads) {
    const nfe::TNFe source = GetParam().build();
    const nfe::TNFe expected = AsReadFromThePage(source);
    const nfe::TNFe actual = RoundTrip(source);
    ExpectSameHeader(expected, actual);
    ExpectSameParties(expected, actual);
    ASSERT_EQ(expected.Det.Count(), actual.Det.Count());
    for (int i = 0; i < expected.Det.Count(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i + 1));
        ExpectSameProduct(expected.Det[i], actual.Det[i]);
        ExpectSameTaxes(expected.Det[i], actual.Det[i]);
    }
    ExpectSameClosing(expected, actual);
}

std::vector<SampleDocument> ConvertibleSamples() {
    std::vector<SampleDocument> samples;
    for (const SampleDocument& sample : SampleDocuments()) {
        if (sample.build().infNFe.Versao() != 1.1) {
            samples.push_back(sample);
        }
    }
    return samples;
}

INSTANTIATE_TEST_SUITE_P(SampleInvoices, RoundTripTest, ::testing::ValuesIn(ConvertibleSamples()),
                         [](const ::testing::TestParamInfo<SampleDocument>& info) {
                             std::string name(info.param.name);
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

TEST(RoundTrip, APageInTheOldLayoutStopsWithItsMessage) {
    std::vector<std::string> shown;
    convert::ConversionSettings settings;
    settings.showMessage = [&](const std::string& message) { shown.push_back(message); };
    EXPECT_THROW(RoundTrip(Version110Invoice(), settings), convert::OldLayoutAborted);
    EXPECT_THAT(shown, ::testing::ElementsAre(::testing::HasSubstr("1.10")));
}

}  // namespace
}  // namespace sample
