#include "nfe/code_tables.h"
#include "text/ascii_case.h"

#include <cstddef>

namespace nfe {
namespace {

// Most enumerations read one list in both directions.
template <class Enum, std::size_t N>
CodeTable<Enum> BothWays(const CodePair<Enum> (&pairs)[N]) {
    return {pairs, pairs};
}

}  // namespace

bool SameCodeText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (text::AsciiUpper(a[i]) != text::AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

CodeTable<TkroIndicadorPagamento> CodeTableOf(TkroIndicadorPagamento) {
    using enum TkroIndicadorPagamento;
    static constexpr CodePair<TkroIndicadorPagamento> kPairs[] = {
        {"0", ipVista}, {"1", ipPrazo}, {"2", ipOutras}};
    return BothWays(kPairs);
}

CodeTable<TkroTipoNFe> CodeTableOf(TkroTipoNFe) {
    using enum TkroTipoNFe;
    static constexpr CodePair<TkroTipoNFe> kPairs[] = {{"0", tnEntrada}, {"1", tnSaida}};
    return BothWays(kPairs);
}

CodeTable<TkroDestinoOperacao> CodeTableOf(TkroDestinoOperacao) {
    using enum TkroDestinoOperacao;
    static constexpr CodePair<TkroDestinoOperacao> kPairs[] = {
        {"1", doInterna}, {"2", doInterestadual}, {"3", doExterior}};
    return BothWays(kPairs);
}

CodeTable<TkroTipoImpressao> CodeTableOf(TkroTipoImpressao) {
    using enum TkroTipoImpressao;
    // "4" stands for both NFC-e formats; reading it gives the later one, tiNFCeA4.
    static constexpr CodePair<TkroTipoImpressao> kPairs[] = {
        {"0", tiSemGeracao}, {"1", tiRetrato},       {"2", tiPaisagem}, {"3", tiSimplificado},
        {"4", tiNFCe},       {"5", tiMsgEletronica}, {"4", tiNFCeA4}};
    return BothWays(kPairs);
}

CodeTable<TkroTipoEmissao> CodeTableOf(TkroTipoEmissao) {
    using enum TkroTipoEmissao;
    static constexpr CodePair<TkroTipoEmissao> kPairs[] = {
        {"1", teNormal}, {"2", teContingencia}, {"3", teSCAN},  {"4", teDPEC},   {"5", teFSDA},
        {"6", teSVCAN},  {"7", teSVCRS},        {"8", teSVCSP}, {"9", teOffLine}};
    return BothWays(kPairs);
}

CodeTable<TkroTipoAmbiente> CodeTableOf(TkroTipoAmbiente) {
    using enum TkroTipoAmbiente;
    static constexpr CodePair<TkroTipoAmbiente> kPairs[] = {{"1", taProducao},
                                                            {"2", taHomologacao}};
    return BothWays(kPairs);
}

CodeTable<TkroFinalidadeNFe> CodeTableOf(TkroFinalidadeNFe) {
    using enum TkroFinalidadeNFe;
    static constexpr CodePair<TkroFinalidadeNFe> kPairs[] = {
        {"1", fnNormal}, {"2", fnComplementar}, {"3", fnAjuste}, {"4", fnDevolucao}};
    return BothWays(kPairs);
}

CodeTable<TkroConsumidorFinal> CodeTableOf(TkroConsumidorFinal) {
    using enum TkroConsumidorFinal;
    static constexpr CodePair<TkroConsumidorFinal> kPairs[] = {{"0", cfNao},
                                                               {"1", cfConsumidorFinal}};
    return BothWays(kPairs);
}

CodeTable<TkroPresencaComprador> CodeTableOf(TkroPresencaComprador) {
    using enum TkroPresencaComprador;
    static constexpr CodePair<TkroPresencaComprador> kPairs[] = {{"0", pcNao},
                                                                 {"1", pcPresencial},
                                                                 {"2", pcInternet},
                                                                 {"3", pcTeleatendimento},
                                                                 {"4", pcEntregaDomicilio},
                                                                 {"9", pcOutros}};
    return BothWays(kPairs);
}

CodeTable<TkroProcessoEmissao> CodeTableOf(TkroProcessoEmissao) {
    using enum TkroProcessoEmissao;
    static constexpr CodePair<TkroProcessoEmissao> kPairs[] = {
        {"0", peAplicativoContribuinte},
        {"1", peAvulsaFisco},
        {"2", peAvulsaContribuinte},
        {"3", peContribuinteAplicativoFisco}};
    return BothWays(kPairs);
}

CodeTable<TkroECFModRef> CodeTableOf(TkroECFModRef) {
    using enum TkroECFModRef;
    static constexpr CodePair<TkroECFModRef> kPairs[] = {
        {"2B", ECFModRef2B}, {"2C", ECFModRef2C}, {"2D", ECFModRef2D}};
    return BothWays(kPairs);
}

CodeTable<TkroCRT> CodeTableOf(TkroCRT) {
    using enum TkroCRT;
    // A page without the regime reads as the normal one; written back it is "3".
    static constexpr CodePair<TkroCRT> kPairs[] = {{"", crtRegimeNormal},
                                                   {"1", crtSimplesNacional},
                                                   {"2", crtSimplesExcessoReceita},
                                                   {"3", crtRegimeNormal}};
    return BothWays(kPairs);
}

CodeTable<TkroindIEDest> CodeTableOf(TkroindIEDest) {
    using enum TkroindIEDest;
    static constexpr CodePair<TkroindIEDest> kPairs[] = {
        {"1", inContribuinte}, {"2", inIsento}, {"9", inNaoContribuinte}};
    return BothWays(kPairs);
}

CodeTable<TkroModalidadeFrete> CodeTableOf(TkroModalidadeFrete) {
    using enum TkroModalidadeFrete;
    static constexpr CodePair<TkroModalidadeFrete> kPairs[] = {{"0", mfContaEmitente},
                                                               {"1", mfContaDestinatario},
                                                               {"2", mfContaTerceiros},
                                                               {"9", mfSemFrete}};
    return BothWays(kPairs);
}

CodeTable<TkroRegTribISSQN> CodeTableOf(TkroRegTribISSQN) {
    using enum TkroRegTribISSQN;
    static constexpr CodePair<TkroRegTribISSQN> kPairs[] = {{"1", RTISSMicroempresaMunicipal},
                                                            {"2", RTISSEstimativa},
                                                            {"3", RTISSSociedadeProfissionais},
                                                            {"4", RTISSCooperativa},
                                                            {"5", RTISSMEI},
                                                            {"6", RTISSMEEPP}};
    return BothWays(kPairs);
}

CodeTable<TkroFormaPagamento> CodeTableOf(TkroFormaPagamento) {
    using enum TkroFormaPagamento;
    static constexpr CodePair<TkroFormaPagamento> kPairs[] = {
        {"01", fpDinheiro},     {"02", fpCheque},       {"03", fpCartaoCredito},
        {"04", fpCartaoDebito}, {"05", fpCreditoLoja},  {"10", fpValeAlimentacao},
        {"11", fpValeRefeicao}, {"12", fpValePresente}, {"13", fpValeCombustivel},
        {"99", fpOutro}};
    return BothWays(kPairs);
}

CodeTable<TkroBandeiraCartao> CodeTableOf(TkroBandeiraCartao) {
    using enum TkroBandeiraCartao;
    static constexpr CodePair<TkroBandeiraCartao> kPairs[] = {{"01", bcVisa},
                                                              {"02", bcMasterCard},
                                                              {"03", bcAmericanExpress},
                                                              {"04", bcSorocred},
                                                              {"99", bcOutros}};
    return BothWays(kPairs);
}

CodeTable<TkroIndicadorProcesso> CodeTableOf(TkroIndicadorProcesso) {
    using enum TkroIndicadorProcesso;
    static constexpr CodePair<TkroIndicadorProcesso> kPairs[] = {{"0", ipSEFAZ},
                                                                 {"1", ipJusticaFederal},
                                                                 {"2", ipJusticaEstadual},
                                                                 {"3", ipSecexRFB},
                                                                 {"9", ipOutros}};
    return BothWays(kPairs);
}

CodeTable<TkroIndicadorTotal> CodeTableOf(TkroIndicadorTotal) {
    using enum TkroIndicadorTotal;
    // "0" comes first, so an unreadable indicator means "not in the total".
    static constexpr CodePair<TkroIndicadorTotal> kPairs[] = {{"0", itNaoSomaTotalNFe},
                                                              {"1", itSomaTotalNFe}};
    return BothWays(kPairs);
}

CodeTable<TkroTipoViaTransp> CodeTableOf(TkroTipoViaTransp) {
    using enum TkroTipoViaTransp;
    static constexpr CodePair<TkroTipoViaTransp> kPairs[] = {
        {"1", tvMaritima},      {"2", tvFluvial},
        {"3", tvLacustre},      {"4", tvAerea},
        {"5", tvPostal},        {"6", tvFerroviaria},
        {"7", tvRodoviaria},    {"8", tvConduto},
        {"9", tvMeiosProprios}, {"10", tvEntradaSaidaFicta},
        {"11", tvCourier},      {"12", tvHandcarry}};
    return BothWays(kPairs);
}

CodeTable<TkroTipoIntermedio> CodeTableOf(TkroTipoIntermedio) {
    using enum TkroTipoIntermedio;
    static constexpr CodePair<TkroTipoIntermedio> kPairs[] = {
        {"1", tiContaPropria}, {"2", tiContaOrdem}, {"3", tiEncomenda}};
    return BothWays(kPairs);
}

CodeTable<TkroTipoOperacao> CodeTableOf(TkroTipoOperacao) {
    using enum TkroTipoOperacao;
    static constexpr CodePair<TkroTipoOperacao> kPairs[] = {{"1", toVendaConcessionaria},
                                                            {"2", toFaturamentoDireto},
                                                            {"3", toVendaDireta},
                                                            {"0", toOutros}};
    return BothWays(kPairs);
}

CodeTable<TkroCondicaoVeiculo> CodeTableOf(TkroCondicaoVeiculo) {
    using enum TkroCondicaoVeiculo;
    static constexpr CodePair<TkroCondicaoVeiculo> kPairs[] = {
        {"1", cvAcabado}, {"2", cvInacabado}, {"3", cvSemiAcabado}};
    return BothWays(kPairs);
}

CodeTable<TkroTipoArma> CodeTableOf(TkroTipoArma) {
    using enum TkroTipoArma;
    static constexpr CodePair<TkroTipoArma> kPairs[] = {{"0", taUsoPermitido},
                                                        {"1", taUsoRestrito}};
    return BothWays(kPairs);
}

CodeTable<TkroOrigemMercadoria> CodeTableOf(TkroOrigemMercadoria) {
    using enum TkroOrigemMercadoria;
    static constexpr CodePair<TkroOrigemMercadoria> kPairs[] = {
        {"0", oeNacional},
        {"1", oeEstrangeiraImportacaoDireta},
        {"2", oeEstrangeiraAdquiridaBrasil},
        {"3", oeNacionalConteudoImportacaoSuperior40},
        {"4", oeNacionalProcessosBasicos},
        {"5", oeNacionalConteudoImportacaoInferiorIgual40},
        {"6", oeEstrangeiraImportacaoDiretaSemSimilar},
        {"7", oeEstrangeiraAdquiridaBrasilSemSimilar},
        {"8", oeNacionalConteudoImportacaoSuperior70}};
    return BothWays(kPairs);
}

CodeTable<TkroCSTIcms> CodeTableOf(TkroCSTIcms) {
    using enum TkroCSTIcms;
    // Read, "91" and "92" give the other-state and Simples Nacional situations, which the XML
    // writes as "90" and "SN". The partition and repass situations are only ever written.
    static constexpr CodePair<TkroCSTIcms> kFromText[] = {
        {"00", cst00}, {"10", cst10}, {"20", cst20}, {"30", cst30},          {"40", cst40},
        {"41", cst41}, {"50", cst50}, {"51", cst51}, {"60", cst60},          {"70", cst70},
        {"80", cst80}, {"81", cst81}, {"90", cst90}, {"91", cstICMSOutraUF}, {"92", cstICMSSN}};
    static constexpr CodePair<TkroCSTIcms> kToText[] = {
        {"00", cst00},          {"10", cst10},     {"20", cst20},     {"30", cst30},
        {"40", cst40},          {"41", cst41},     {"50", cst50},     {"51", cst51},
        {"60", cst60},          {"70", cst70},     {"80", cst80},     {"81", cst81},
        {"90", cst90},          {"10", cstPart10}, {"90", cstPart90}, {"41", cstRep41},
        {"90", cstICMSOutraUF}, {"SN", cstICMSSN}};
    return {kFromText, kToText};
}

CodeTable<TkroCSOSNIcms> CodeTableOf(TkroCSOSNIcms) {
    using enum TkroCSOSNIcms;
    // A page without a CSOSN reads as csosnVazio, which the XML writes as "0".
    static constexpr CodePair<TkroCSOSNIcms> kFromText[] = {
        {"", csosnVazio},  {"101", csosn101}, {"102", csosn102}, {"103", csosn103},
        {"201", csosn201}, {"202", csosn202}, {"203", csosn203}, {"300", csosn300},
        {"400", csosn400}, {"500", csosn500}, {"900", csosn900}};
    static constexpr CodePair<TkroCSOSNIcms> kToText[] = {
        {"0", csosnVazio}, {"101", csosn101}, {"102", csosn102}, {"103", csosn103},
        {"201", csosn201}, {"202", csosn202}, {"203", csosn203}, {"300", csosn300},
        {"400", csosn400}, {"500", csosn500}, {"900", csosn900}};
    return {kFromText, kToText};
}

CodeTable<TkroDeterminacaoBaseIcms> CodeTableOf(TkroDeterminacaoBaseIcms) {
    using enum TkroDeterminacaoBaseIcms;
    static constexpr CodePair<TkroDeterminacaoBaseIcms> kPairs[] = {{"0", dbiMargemValorAgregado},
                                                                    {"1", dbiPauta},
                                                                    {"2", dbiPrecoTabelado},
                                                                    {"3", dbiValorOperacao}};
    return BothWays(kPairs);
}

CodeTable<TkroDeterminacaoBaseIcmsST> CodeTableOf(TkroDeterminacaoBaseIcmsST) {
    using enum TkroDeterminacaoBaseIcmsST;
    static constexpr CodePair<TkroDeterminacaoBaseIcmsST> kPairs[] = {
        {"0", dbisPrecoTabelado}, {"1", dbisListaNegativa},       {"2", dbisListaPositiva},
        {"3", dbisListaNeutra},   {"4", dbisMargemValorAgregado}, {"5", dbisPauta}};
    return BothWays(kPairs);
}

CodeTable<TkroMotivoDesoneracaoICMS> CodeTableOf(TkroMotivoDesoneracaoICMS) {
    using enum TkroMotivoDesoneracaoICMS;
    static constexpr CodePair<TkroMotivoDesoneracaoICMS> kPairs[] = {
        {"1", mdiTaxi},
        {"2", mdiDeficienteFisico},
        {"3", mdiProdutorAgropecuario},
        {"4", mdiFrotistaLocadora},
        {"5", mdiDiplomaticoConsular},
        {"6", mdiAmazoniaLivreComercio},
        {"7", mdiSuframa},
        {"8", mdiVendaOrgaosPublicos},
        {"9", mdiOutros},
        {"10", mdiDeficienteCondutor},
        {"11", mdiDeficienteNaoCondutor},
        {"12", mdiOrgaoFomento}};
    return BothWays(kPairs);
}

CodeTable<TkroCstIpi> CodeTableOf(TkroCstIpi) {
    using enum TkroCstIpi;
    static constexpr CodePair<TkroCstIpi> kPairs[] = {
        {"00", ipi00}, {"49", ipi49}, {"50", ipi50}, {"99", ipi99}, {"01", ipi01},
        {"02", ipi02}, {"03", ipi03}, {"04", ipi04}, {"05", ipi05}, {"51", ipi51},
        {"52", ipi52}, {"53", ipi53}, {"54", ipi54}, {"55", ipi55}};
    return BothWays(kPairs);
}

CodeTable<TkroCstPis> CodeTableOf(TkroCstPis) {
    using enum TkroCstPis;
    static constexpr CodePair<TkroCstPis> kPairs[] = {
        {"01", pis01}, {"02", pis02}, {"03", pis03}, {"04", pis04}, {"05", pis05}, {"06", pis06},
        {"07", pis07}, {"08", pis08}, {"09", pis09}, {"49", pis49}, {"50", pis50}, {"51", pis51},
        {"52", pis52}, {"53", pis53}, {"54", pis54}, {"55", pis55}, {"56", pis56}, {"60", pis60},
        {"61", pis61}, {"62", pis62}, {"63", pis63}, {"64", pis64}, {"65", pis65}, {"66", pis66},
        {"67", pis67}, {"70", pis70}, {"71", pis71}, {"72", pis72}, {"73", pis73}, {"74", pis74},
        {"75", pis75}, {"98", pis98}, {"99", pis99}};
    return BothWays(kPairs);
}

CodeTable<TkroCstCofins> CodeTableOf(TkroCstCofins) {
    using enum TkroCstCofins;
    static constexpr CodePair<TkroCstCofins> kPairs[] = {
        {"01", cof01}, {"02", cof02}, {"03", cof03}, {"04", cof04}, {"05", cof05}, {"06", cof06},
        {"07", cof07}, {"08", cof08}, {"09", cof09}, {"49", cof49}, {"50", cof50}, {"51", cof51},
        {"52", cof52}, {"53", cof53}, {"54", cof54}, {"55", cof55}, {"56", cof56}, {"60", cof60},
        {"61", cof61}, {"62", cof62}, {"63", cof63}, {"64", cof64}, {"65", cof65}, {"66", cof66},
        {"67", cof67}, {"70", cof70}, {"71", cof71}, {"72", cof72}, {"73", cof73}, {"74", cof74},
        {"75", cof75}, {"98", cof98}, {"99", cof99}};
    return BothWays(kPairs);
}

CodeTable<TkroISSQNcSitTrib> CodeTableOf(TkroISSQNcSitTrib) {
    using enum TkroISSQNcSitTrib;
    static constexpr CodePair<TkroISSQNcSitTrib> kPairs[] = {{"N", ISSQNcSitTribNORMAL},
                                                             {"R", ISSQNcSitTribRETIDA},
                                                             {"S", ISSQNcSitTribSUBSTITUTA},
                                                             {"I", ISSQNcSitTribISENTA}};
    return BothWays(kPairs);
}

CodeTable<TkroindISS> CodeTableOf(TkroindISS) {
    using enum TkroindISS;
    static constexpr CodePair<TkroindISS> kPairs[] = {
        {"1", iiExigivel},           {"2", iiNaoIncidencia}, {"3", iiIsencao},
        {"4", iiExportacao},         {"5", iiImunidade},     {"6", iiExigSuspDecisaoJudicial},
        {"7", iiExigSuspProcessoAdm}};
    return BothWays(kPairs);
}

CodeTable<TkroindIncentivo> CodeTableOf(TkroindIncentivo) {
    using enum TkroindIncentivo;
    static constexpr CodePair<TkroindIncentivo> kPairs[] = {{"1", iiSim}, {"2", iiNao}};
    return BothWays(kPairs);
}

CodeTable<TkroindISSRet> CodeTableOf(TkroindISSRet) {
    using enum TkroindISSRet;
    static constexpr CodePair<TkroindISSRet> kPairs[] = {{"1", iirSim}, {"2", iirNao}};
    return BothWays(kPairs);
}

std::string CsosnGroupText(TkroCSOSNIcms value) {
    using enum TkroCSOSNIcms;
    switch (value) {
        case csosnVazio:
            return "";
        case csosn101:
            return "101";
        case csosn102:
        case csosn103:
        case csosn300:
        case csosn400:
            return "102";
        case csosn201:
            return "201";
        case csosn202:
        case csosn203:
            return "202";
        case csosn500:
            return "500";
        case csosn900:
            return "900";
    }
    return "";
}

}  // namespace nfe
