#pragma once

#include <cstdint>

// The coded indicators of the document. Values stand in their ordinal order; the first one is
// what a new object holds. Their XML code texts live in nfe/code_tables.h.
namespace nfe {

enum class TkroIndicadorPagamento : std::uint8_t { ipVista, ipPrazo, ipOutras };

enum class TkroTipoNFe : std::uint8_t { tnEntrada, tnSaida };

enum class TkroDestinoOperacao : std::uint8_t { doInterna, doInterestadual, doExterior };

enum class TkroTipoImpressao : std::uint8_t {
    tiSemGeracao,
    tiRetrato,
    tiPaisagem,
    tiSimplificado,
    tiNFCe,
    tiMsgEletronica,
    tiNFCeA4
};

enum class TkroTipoEmissao : std::uint8_t {
    teNormal,
    teContingencia,
    teSCAN,
    teDPEC,
    teFSDA,
    teSVCAN,
    teSVCRS,
    teSVCSP,
    teOffLine
};

enum class TkroTipoAmbiente : std::uint8_t { taProducao, taHomologacao };

enum class TkroFinalidadeNFe : std::uint8_t { fnNormal, fnComplementar, fnAjuste, fnDevolucao };

enum class TkroConsumidorFinal : std::uint8_t { cfNao, cfConsumidorFinal };

enum class TkroPresencaComprador : std::uint8_t {
    pcNao,
    pcPresencial,
    pcInternet,
    pcTeleatendimento,
    pcEntregaDomicilio,
    pcOutros
};

enum class TkroProcessoEmissao : std::uint8_t {
    peAplicativoContribuinte,
    peAvulsaFisco,
    peAvulsaContribuinte,
    peContribuinteAplicativoFisco
};

enum class TkroECFModRef : std::uint8_t { ECFModRefVazio, ECFModRef2B, ECFModRef2C, ECFModRef2D };

enum class TkroCRT : std::uint8_t { crtSimplesNacional, crtSimplesExcessoReceita, crtRegimeNormal };

enum class TkroindIEDest : std::uint8_t { inContribuinte, inIsento, inNaoContribuinte };

enum class TkroModalidadeFrete : std::uint8_t {
    mfContaEmitente,
    mfContaDestinatario,
    mfContaTerceiros,
    mfSemFrete
};

enum class TkroRegTribISSQN : std::uint8_t {
    RTISSMicroempresaMunicipal,
    RTISSEstimativa,
    RTISSSociedadeProfissionais,
    RTISSCooperativa,
    RTISSMEI,
    RTISSMEEPP,
    RTISSNenhum
};

enum class TkroFormaPagamento : std::uint8_t {
    fpDinheiro,
    fpCheque,
    fpCartaoCredito,
    fpCartaoDebito,
    fpCreditoLoja,
    fpValeAlimentacao,
    fpValeRefeicao,
    fpValePresente,
    fpValeCombustivel,
    fpOutro
};

enum class TkroBandeiraCartao : std::uint8_t {
    bcVisa,
    bcMasterCard,
    bcAmericanExpress,
    bcSorocred,
    bcOutros
};

enum class TkroIndicadorProcesso : std::uint8_t {
    ipSEFAZ,
    ipJusticaFederal,
    ipJusticaEstadual,
    ipSecexRFB,
    ipOutros
};

enum class TkroIndicadorTotal : std::uint8_t { itSomaTotalNFe, itNaoSomaTotalNFe };

enum class TkroTipoViaTransp : std::uint8_t {
    tvMaritima,
    tvFluvial,
    tvLacustre,
    tvAerea,
    tvPostal,
    tvFerroviaria,
    tvRodoviaria,
    tvConduto,
    tvMeiosProprios,
    tvEntradaSaidaFicta,
    tvCourier,
    tvHandcarry
};

enum class TkroTipoIntermedio : std::uint8_t { tiContaPropria, tiContaOrdem, tiEncomenda };

enum class TkroTipoOperacao : std::uint8_t {
    toVendaConcessionaria,
    toFaturamentoDireto,
    toVendaDireta,
    toOutros
};

enum class TkroCondicaoVeiculo : std::uint8_t { cvAcabado, cvInacabado, cvSemiAcabado };

enum class TkroTipoArma : std::uint8_t { taUsoPermitido, taUsoRestrito };

enum class TkroOrigemMercadoria : std::uint8_t {
    oeNacional,
    oeEstrangeiraImportacaoDireta,
    oeEstrangeiraAdquiridaBrasil,
    oeNacionalConteudoImportacaoSuperior40,
    oeNacionalProcessosBasicos,
    oeNacionalConteudoImportacaoInferiorIgual40,
    oeEstrangeiraImportacaoDiretaSemSimilar,
    oeEstrangeiraAdquiridaBrasilSemSimilar,
    oeNacionalConteudoImportacaoSuperior70
};

enum class TkroCSTIcms : std::uint8_t {
    cst00,
    cst10,
    cst20,
    cst30,
    cst40,
    cst41,
    cst45,
    cst50,
    cst51,
    cst60,
    cst70,
    cst80,
    cst81,
    cst90,
    cstPart10,
    cstPart90,
    cstRep41,
    cstVazio,
    cstICMSOutraUF,
    cstICMSSN
};

enum class TkroCSOSNIcms : std::uint8_t {
    csosnVazio,
    csosn101,
    csosn102,
    csosn103,
    csosn201,
    csosn202,
    csosn203,
    csosn300,
    csosn400,
    csosn500,
    csosn900
};

enum class TkroDeterminacaoBaseIcms : std::uint8_t {
    dbiMargemValorAgregado,
    dbiPauta,
    dbiPrecoTabelado,
    dbiValorOperacao
};

enum class TkroDeterminacaoBaseIcmsST : std::uint8_t {
    dbisPrecoTabelado,
    dbisListaNegativa,
    dbisListaPositiva,
    dbisListaNeutra,
    dbisMargemValorAgregado,
    dbisPauta
};

enum class TkroMotivoDesoneracaoICMS : std::uint8_t {
    mdiTaxi,
    mdiDeficienteFisico,
    mdiProdutorAgropecuario,
    mdiFrotistaLocadora,
    mdiDiplomaticoConsular,
    mdiAmazoniaLivreComercio,
    mdiSuframa,
    mdiVendaOrgaosPublicos,
    mdiOutros,
    mdiDeficienteCondutor,
    mdiDeficienteNaoCondutor,
    mdiOrgaoFomento
};

enum class TkroCstIpi : std::uint8_t {
    ipi00,
    ipi49,
    ipi50,
    ipi99,
    ipi01,
    ipi02,
    ipi03,
    ipi04,
    ipi05,
    ipi51,
    ipi52,
    ipi53,
    ipi54,
    ipi55
};

enum class TkroCstPis : std::uint8_t {
    pis01,
    pis02,
    pis03,
    pis04,
    pis05,
    pis06,
    pis07,
    pis08,
    pis09,
    pis49,
    pis50,
    pis51,
    pis52,
    pis53,
    pis54,
    pis55,
    pis56,
    pis60,
    pis61,
    pis62,
    pis63,
    pis64,
    pis65,
    pis66,
    pis67,
    pis70,
    pis71,
    pis72,
    pis73,
    pis74,
    pis75,
    pis98,
    pis99
};

enum class TkroCstCofins : std::uint8_t {
    cof01,
    cof02,
    cof03,
    cof04,
    cof05,
    cof06,
    cof07,
    cof08,
    cof09,
    cof49,
    cof50,
    cof51,
    cof52,
    cof53,
    cof54,
    cof55,
    cof56,
    cof60,
    cof61,
    cof62,
    cof63,
    cof64,
    cof65,
    cof66,
    cof67,
    cof70,
    cof71,
    cof72,
    cof73,
    cof74,
    cof75,
    cof98,
    cof99
};

enum class TkroISSQNcSitTrib : std::uint8_t {
    ISSQNcSitTribVazio,
    ISSQNcSitTribNORMAL,
    ISSQNcSitTribRETIDA,
    ISSQNcSitTribSUBSTITUTA,
    ISSQNcSitTribISENTA
};

enum class TkroindISS : std::uint8_t {
    iiExigivel,
    iiNaoIncidencia,
    iiIsencao,
    iiExportacao,
    iiImunidade,
    iiExigSuspDecisaoJudicial,
    iiExigSuspProcessoAdm
};

enum class TkroindIncentivo : std::uint8_t { iiSim, iiNao };

enum class TkroindISSRet : std::uint8_t { iirSim, iirNao };

}  // namespace nfe
