#include <gtest/gtest.h>

#include <set>
#include <string>

#include "nfe/code_tables.h"

namespace nfe {
namespace {

template <class Enum>
void ExpectRead(std::string_view text, Enum expected, bool expectedOk) {
    bool ok = !expectedOk;
    EXPECT_EQ(TextToEnum<Enum>(ok, text), expected) << '"' << text << '"';
    EXPECT_EQ(ok, expectedOk) << '"' << text << '"';
}

TEST(CodeTables, TextToEnumMatchesWholeTextsAndFallsBackToTheFirstPair) {
    ExpectRead(" 9", TkroTipoEmissao::teNormal, false);
    ExpectRead("9", TkroTipoEmissao::teOffLine, true);
    ExpectRead("0", TkroTipoEmissao::teNormal, false);
    // The later of two equal texts wins.
    ExpectRead("4", TkroTipoImpressao::tiNFCeA4, true);
    ExpectRead("", TkroCRT::crtRegimeNormal, true);
    ExpectRead("1", TkroCRT::crtSimplesNacional, true);
    ExpectRead("4", TkroCRT::crtRegimeNormal, false);
    ExpectRead("1 - Normal", TkroFinalidadeNFe::fnNormal, false);
    ExpectRead("4", TkroFinalidadeNFe::fnDevolucao, true);
    ExpectRead("3", TkroModalidadeFrete::mfContaEmitente, false);
    ExpectRead("9", TkroModalidadeFrete::mfSemFrete, true);
    ExpectRead("2", TkroIndicadorTotal::itNaoSomaTotalNFe, false);
    ExpectRead("1", TkroIndicadorTotal::itSomaTotalNFe, true);
    // Letters compare without case.
    ExpectRead("2b", TkroECFModRef::ECFModRef2B, true);
    ExpectRead("r", TkroISSQNcSitTrib::ISSQNcSitTribRETIDA, true);
    ExpectRead("", TkroISSQNcSitTrib::ISSQNcSitTribNORMAL, false);
}

TEST(CodeTables, IcmsSituationAndCsosnReadTheirOwnLists) {
    ExpectRead("", TkroCSTIcms::cst00, false);
    ExpectRead("41", TkroCSTIcms::cst41, true);
    ExpectRead("90", TkroCSTIcms::cst90, true);
    ExpectRead("91", TkroCSTIcms::cstICMSOutraUF, true);
    ExpectRead("92", TkroCSTIcms::cstICMSSN, true);
    ExpectRead("SN", TkroCSTIcms::cst00, false);
    ExpectRead("sn", TkroCSTIcms::cst00, false);
    ExpectRead("45", TkroCSTIcms::cst00, false);
    ExpectRead("", TkroCSOSNIcms::csosnVazio, true);
    ExpectRead("0", TkroCSOSNIcms::csosnVazio, false);
    ExpectRead("203", TkroCSOSNIcms::csosn203, true);
    ExpectRead("10", TkroCSOSNIcms::csosnVazio, false);
}

TEST(CodeTables, EnumToTextGivesTheWrittenCodes) {
    EXPECT_EQ(EnumToText(TkroCSTIcms::cstICMSSN), "SN");
    EXPECT_EQ(EnumToText(TkroCSTIcms::cstICMSOutraUF), "90");
    EXPECT_EQ(EnumToText(TkroCSTIcms::cstPart10), "10");
    EXPECT_EQ(EnumToText(TkroCSTIcms::cstPart90), "90");
    EXPECT_EQ(EnumToText(TkroCSTIcms::cstRep41), "41");
    EXPECT_EQ(EnumToText(TkroCSOSNIcms::csosnVazio), "0");
    EXPECT_EQ(EnumToText(TkroTipoImpressao::tiNFCe), "4");
    EXPECT_EQ(EnumToText(TkroTipoImpressao::tiNFCeA4), "4");
    EXPECT_EQ(EnumToText(TkroCRT::crtRegimeNormal), "3");
    EXPECT_EQ(EnumToText(TkroTipoOperacao::toOutros), "0");
    EXPECT_EQ(EnumToText(TkroIndicadorTotal::itSomaTotalNFe), "1");
    EXPECT_EQ(EnumToText(TkroFormaPagamento::fpValeAlimentacao), "10");
    EXPECT_EQ(EnumToText(TkroTipoViaTransp::tvEntradaSaidaFicta), "10");
    EXPECT_EQ(EnumToText(TkroPresencaComprador::pcOutros), "9");
    EXPECT_EQ(EnumToText(TkroMotivoDesoneracaoICMS::mdiOrgaoFomento), "12");
    EXPECT_EQ(EnumToText(TkroCstIpi::ipi99), "99");
    EXPECT_EQ(EnumToText(TkroCstIpi::ipi01), "01");
    EXPECT_EQ(EnumToText(TkroCstPis::pis56), "56");
    EXPECT_EQ(EnumToText(TkroCstPis::pis60), "60");
    EXPECT_EQ(EnumToText(TkroCstCofins::cof98), "98");
    EXPECT_EQ(EnumToText(TkroBandeiraCartao::bcOutros), "99");

    // Values without a code.
    EXPECT_EQ(EnumToText(TkroCSTIcms::cst45), "");
    EXPECT_EQ(EnumToText(TkroCSTIcms::cstVazio), "");
    EXPECT_EQ(EnumToText(TkroECFModRef::ECFModRefVazio), "");
    EXPECT_EQ(EnumToText(TkroRegTribISSQN::RTISSNenhum), "");
    EXPECT_EQ(EnumToText(TkroISSQNcSitTrib::ISSQNcSitTribVazio), "");
}

TEST(CodeTables, ExplicitListsFollowTheSameRules) {
    static constexpr CodePair<TkroTipoNFe> kPairs[] = {
        {"a", TkroTipoNFe::tnSaida}, {"b", TkroTipoNFe::tnEntrada}, {"A", TkroTipoNFe::tnEntrada}};
    bool ok = false;
    EXPECT_EQ(TextToEnum(ok, "a", CodePairs<TkroTipoNFe>(kPairs)), TkroTipoNFe::tnEntrada);
    EXPECT_TRUE(ok);
    EXPECT_EQ(TextToEnum(ok, "c", CodePairs<TkroTipoNFe>(kPairs)), TkroTipoNFe::tnSaida);
    EXPECT_FALSE(ok);
    EXPECT_EQ(EnumToText(TkroTipoNFe::tnEntrada, kPairs), "A");
    EXPECT_EQ(TextToEnum(ok, "x", CodePairs<TkroTipoNFe>()), TkroTipoNFe::tnEntrada);
    EXPECT_FALSE(ok);
}

// Every value of the enumeration up to last has a code, apart from codeless; every code reads
// back as its value, apart from the values in oneWay.
template <class Enum>
void ExpectRoundTrip(Enum last, std::set<Enum> codeless = {}, std::set<Enum> oneWay = {}) {
    for (int i = 0; i <= static_cast<int>(last); ++i) {
        const auto value = static_cast<Enum>(i);
        const std::string text = EnumToText(value);
        if (codeless.contains(value)) {
            EXPECT_EQ(text, "") << "ordinal " << i;
            continue;
        }
        EXPECT_NE(text, "") << "ordinal " << i;
        if (oneWay.contains(value)) {
            continue;
        }
        bool ok = false;
        EXPECT_EQ(TextToEnum<Enum>(ok, text), value) << "ordinal " << i;
        EXPECT_TRUE(ok) << "ordinal " << i;
    }
}

TEST(CodeTables, EveryCodeReadsBackAsItsValue) {
    ExpectRoundTrip(TkroIndicadorPagamento::ipOutras);
    ExpectRoundTrip(TkroTipoNFe::tnSaida);
    ExpectRoundTrip(TkroDestinoOperacao::doExterior);
    ExpectRoundTrip(TkroTipoImpressao::tiNFCeA4, {}, {TkroTipoImpressao::tiNFCe});
    ExpectRoundTrip(TkroTipoEmissao::teOffLine);
    ExpectRoundTrip(TkroTipoAmbiente::taHomologacao);
    ExpectRoundTrip(TkroFinalidadeNFe::fnDevolucao);
    ExpectRoundTrip(TkroConsumidorFinal::cfConsumidorFinal);
    ExpectRoundTrip(TkroPresencaComprador::pcOutros);
    ExpectRoundTrip(TkroProcessoEmissao::peContribuinteAplicativoFisco);
    ExpectRoundTrip(TkroECFModRef::ECFModRef2D, {TkroECFModRef::ECFModRefVazio});
    ExpectRoundTrip(TkroCRT::crtRegimeNormal);
    ExpectRoundTrip(TkroindIEDest::inNaoContribuinte);
    ExpectRoundTrip(TkroModalidadeFrete::mfSemFrete);
    ExpectRoundTrip(TkroRegTribISSQN::RTISSNenhum, {TkroRegTribISSQN::RTISSNenhum});
    ExpectRoundTrip(TkroFormaPagamento::fpOutro);
    ExpectRoundTrip(TkroBandeiraCartao::bcOutros);
    ExpectRoundTrip(TkroIndicadorProcesso::ipOutros);
    ExpectRoundTrip(TkroIndicadorTotal::itNaoSomaTotalNFe);
    ExpectRoundTrip(TkroTipoViaTransp::tvHandcarry);
    ExpectRoundTrip(TkroTipoIntermedio::tiEncomenda);
    ExpectRoundTrip(TkroTipoOperacao::toOutros);
    ExpectRoundTrip(TkroCondicaoVeiculo::cvSemiAcabado);
    ExpectRoundTrip(TkroTipoArma::taUsoRestrito);
    ExpectRoundTrip(TkroOrigemMercadoria::oeNacionalConteudoImportacaoSuperior70);
    using enum TkroCSTIcms;
    ExpectRoundTrip(cstICMSSN, {cst45, cstVazio},
                    {cstPart10, cstPart90, cstRep41, cstICMSOutraUF, cstICMSSN});
    ExpectRoundTrip(TkroCSOSNIcms::csosn900, {}, {TkroCSOSNIcms::csosnVazio});
    ExpectRoundTrip(TkroDeterminacaoBaseIcms::dbiValorOperacao);
    ExpectRoundTrip(TkroDeterminacaoBaseIcmsST::dbisPauta);
    ExpectRoundTrip(TkroMotivoDesoneracaoICMS::mdiOrgaoFomento);
    ExpectRoundTrip(TkroCstIpi::ipi55);
    ExpectRoundTrip(TkroCstPis::pis99);
    ExpectRoundTrip(TkroCstCofins::cof99);
    ExpectRoundTrip(TkroISSQNcSitTrib::ISSQNcSitTribISENTA,
                    {TkroISSQNcSitTrib::ISSQNcSitTribVazio});
    ExpectRoundTrip(TkroindISS::iiExigSuspProcessoAdm);
    ExpectRoundTrip(TkroindIncentivo::iiNao);
    ExpectRoundTrip(TkroindISSRet::iirNao);
}

TEST(CodeTables, CsosnGroupText) {
    using enum TkroCSOSNIcms;
    const std::pair<TkroCSOSNIcms, const char*> cases[] = {
        {csosnVazio, ""},  {csosn101, "101"}, {csosn102, "102"}, {csosn103, "102"},
        {csosn201, "201"}, {csosn202, "202"}, {csosn203, "202"}, {csosn300, "102"},
        {csosn400, "102"}, {csosn500, "500"}, {csosn900, "900"},
    };
    for (const auto& [value, group] : cases) {
        EXPECT_EQ(CsosnGroupText(value), group) << static_cast<int>(value);
    }
}

}  // namespace
}  // namespace nfe
