#include "sample/print_page/code_descriptions.h"

namespace sample::page {
namespace {

// PIS and COFINS share their situation codes.
std::string_view PisCofinsDescription(std::string_view code) {
    struct Entry {
        std::string_view code;
        std::string_view description;
    };
    static constexpr Entry kEntries[] = {
        {"01", "Operação Tributável com Alíquota Básica"},
        {"02", "Operação Tributável com Alíquota Diferenciada"},
        {"03", "Operação Tributável com Alíquota por Unidade de Medida de Produto"},
        {"04", "Operação Tributável Monofásica - Revenda a Alíquota Zero"},
        {"05", "Operação Tributável por Substituição Tributária"},
        {"06", "Operação Tributável a Alíquota Zero"},
        {"07", "Operação Isenta da Contribuição"},
        {"08", "Operação sem Incidência da Contribuição"},
        {"09", "Operação com Suspensão da Contribuição"},
        {"49", "Outras Operações de Saída"},
        {"50", "Operação com Direito a Crédito - Vinculada Exclusivamente a Receita Tributada"},
        {"70", "Operação de Aquisição sem Direito a Crédito"},
        {"98", "Outras Operações de Entrada"},
        {"99", "Outras Operações"},
    };
    for (const Entry& entry : kEntries) {
        if (entry.code == code) {
            return entry.description;
        }
    }
    return {};
}

}  // namespace

std::string_view Description(nfe::TkroProcessoEmissao value) {
    using enum nfe::TkroProcessoEmissao;
    switch (value) {
        case peAplicativoContribuinte:
            return "com aplicativo do Contribuinte";
        case peAvulsaFisco:
            return "avulsa pelo Fisco";
        case peAvulsaContribuinte:
            return "avulsa, pelo contribuinte com seu certificado digital, pelo site do Fisco";
        case peContribuinteAplicativoFisco:
            return "pelo contribuinte com aplicativo fornecido pelo Fisco";
    }
    return {};
}

std::string_view Description(nfe::TkroTipoEmissao value) {
    using enum nfe::TkroTipoEmissao;
    switch (value) {
        case teNormal:
            return "Normal";
        case teContingencia:
            return "Contingência FS";
        case teSCAN:
            return "Contingência SCAN";
        case teDPEC:
            return "Contingência DPEC";
        case teFSDA:
            return "Contingência FS-DA";
        case teSVCAN:
            return "Contingência SVC-AN";
        case teSVCRS:
            return "Contingência SVC-RS";
        case teSVCSP:
            return "Contingência SVC-SP";
        case teOffLine:
            return "Contingência off-line";
    }
    return {};
}

std::string_view Description(nfe::TkroFinalidadeNFe value) {
    using enum nfe::TkroFinalidadeNFe;
    switch (value) {
        case fnNormal:
            return "Normal";
        case fnComplementar:
            return "Complementar";
        case fnAjuste:
            return "Ajuste";
        case fnDevolucao:
            return "Devolução de mercadoria";
    }
    return {};
}

std::string_view Description(nfe::TkroTipoNFe value) {
    return value == nfe::TkroTipoNFe::tnSaida ? "Saída" : "Entrada";
}

std::string_view Description(nfe::TkroIndicadorPagamento value) {
    using enum nfe::TkroIndicadorPagamento;
    switch (value) {
        case ipVista:
            return "Pagamento à vista";
        case ipPrazo:
            return "Pagamento a prazo";
        case ipOutras:
            return "Outros";
    }
    return {};
}

std::string_view Description(nfe::TkroCRT value) {
    using enum nfe::TkroCRT;
    switch (value) {
        case crtSimplesNacional:
            return "Simples Nacional";
        case crtSimplesExcessoReceita:
            return "Simples Nacional - excesso de sublimite de receita bruta";
        case crtRegimeNormal:
            return "Regime Normal";
    }
    return {};
}

std::string_view Description(nfe::TkroModalidadeFrete value) {
    using enum nfe::TkroModalidadeFrete;
    switch (value) {
        case mfContaEmitente:
            return "Por conta do Emitente";
        case mfContaDestinatario:
            return "Por conta do Destinatário/Remetente";
        case mfContaTerceiros:
            return "Por conta de Terceiros";
        case mfSemFrete:
            return "Sem Frete";
    }
    return {};
}

std::string_view Description(nfe::TkroTipoImpressao value) {
    using enum nfe::TkroTipoImpressao;
    switch (value) {
        case tiSemGeracao:
            return "Sem geração de DANFE";
        case tiRetrato:
            return "DANFE normal, Retrato";
        case tiPaisagem:
            return "DANFE normal, Paisagem";
        case tiSimplificado:
            return "DANFE Simplificado";
        case tiNFCe:
        case tiNFCeA4:
            return "DANFE NFC-e";
        case tiMsgEletronica:
            return "DANFE NFC-e em mensagem eletrônica";
    }
    return {};
}

std::string_view Description(nfe::TkroIndicadorTotal value) {
    return value == nfe::TkroIndicadorTotal::itSomaTotalNFe
               ? "O valor do item (vProd) compõe o valor total da NF-e (vProd)"
               : "O valor do item (vProd) não compõe o valor total da NF-e (vProd)";
}

std::string_view Description(nfe::TkroOrigemMercadoria value) {
    using enum nfe::TkroOrigemMercadoria;
    switch (value) {
        case oeNacional:
            return "Nacional";
        case oeEstrangeiraImportacaoDireta:
            return "Estrangeira - Importação direta";
        case oeEstrangeiraAdquiridaBrasil:
            return "Estrangeira - Adquirida no mercado interno";
        case oeNacionalConteudoImportacaoSuperior40:
            return "Nacional, conteúdo de importação superior a 40%";
        case oeNacionalProcessosBasicos:
            return "Nacional, produção conforme processos produtivos básicos";
        case oeNacionalConteudoImportacaoInferiorIgual40:
            return "Nacional, conteúdo de importação inferior ou igual a 40%";
        case oeEstrangeiraImportacaoDiretaSemSimilar:
            return "Estrangeira - Importação direta, sem similar nacional";
        case oeEstrangeiraAdquiridaBrasilSemSimilar:
            return "Estrangeira - Adquirida no mercado interno, sem similar nacional";
        case oeNacionalConteudoImportacaoSuperior70:
            return "Nacional, conteúdo de importação superior a 70%";
    }
    return {};
}

std::string_view Description(nfe::TkroCSTIcms value) {
    using enum nfe::TkroCSTIcms;
    switch (value) {
        case cst00:
            return "Tributada integralmente";
        case cst10:
        case cstPart10:
            return "Tributada e com cobrança do ICMS por substituição tributária";
        case cst20:
            return "Com redução de base de cálculo";
        case cst30:
            return "Isenta ou não tributada e com cobrança do ICMS por substituição tributária";
        case cst40:
            return "Isenta";
        case cst41:
        case cstRep41:
            return "Não tributada";
        case cst50:
            return "Suspensão";
        case cst51:
            return "Diferimento";
        case cst60:
            return "ICMS cobrado anteriormente por substituição tributária";
        case cst70:
            return "Com redução de base de cálculo e cobrança do ICMS por substituição "
                   "tributária";
        case cst90:
        case cstPart90:
        case cstICMSOutraUF:
            return "Outros";
        case cst45:
        case cst80:
        case cst81:
        case cstVazio:
        case cstICMSSN:
            return {};
    }
    return {};
}

std::string_view Description(nfe::TkroCSOSNIcms value) {
    using enum nfe::TkroCSOSNIcms;
    switch (value) {
        case csosn101:
            return "Tributada pelo Simples Nacional com permissão de crédito";
        case csosn102:
            return "Tributada pelo Simples Nacional sem permissão de crédito";
        case csosn103:
            return "Isenção do ICMS no Simples Nacional para faixa de receita bruta";
        case csosn201:
            return "Tributada pelo Simples Nacional com permissão de crédito e com cobrança do "
                   "ICMS por substituição tributária";
        case csosn202:
            return "Tributada pelo Simples Nacional sem permissão de crédito e com cobrança do "
                   "ICMS por substituição tributária";
        case csosn203:
            return "Isenção do ICMS no Simples Nacional para faixa de receita bruta e com "
                   "cobrança do ICMS por substituição tributária";
        case csosn300:
            return "Imune";
        case csosn400:
            return "Não tributada pelo Simples Nacional";
        case csosn500:
            return "ICMS cobrado anteriormente por substituição tributária (substituído) ou "
                   "por antecipação";
        case csosn900:
            return "Outros";
        case csosnVazio:
            return {};
    }
    return {};
}

std::string_view Description(nfe::TkroDeterminacaoBaseIcms value) {
    using enum nfe::TkroDeterminacaoBaseIcms;
    switch (value) {
        case dbiMargemValorAgregado:
            return "Margem Valor Agregado (%)";
        case dbiPauta:
            return "Pauta (valor)";
        case dbiPrecoTabelado:
            return "Preço Tabelado Máximo (valor)";
        case dbiValorOperacao:
            return "Valor da Operação";
    }
    return {};
}

std::string_view Description(nfe::TkroDeterminacaoBaseIcmsST value) {
    using enum nfe::TkroDeterminacaoBaseIcmsST;
    switch (value) {
        case dbisPrecoTabelado:
            return "Preço tabelado ou máximo sugerido";
        case dbisListaNegativa:
            return "Lista Negativa (valor)";
        case dbisListaPositiva:
            return "Lista Positiva (valor)";
        case dbisListaNeutra:
            return "Lista Neutra (valor)";
        case dbisMargemValorAgregado:
            return "Margem Valor Agregado (%)";
        case dbisPauta:
            return "Pauta (valor)";
    }
    return {};
}

std::string_view Description(nfe::TkroCstIpi value) {
    using enum nfe::TkroCstIpi;
    switch (value) {
        case ipi00:
            return "Entrada com recuperação de crédito";
        case ipi49:
            return "Outras entradas";
        case ipi50:
            return "Saída tributada";
        case ipi99:
            return "Outras saídas";
        case ipi01:
            return "Entrada tributada com alíquota zero";
        case ipi02:
            return "Entrada isenta";
        case ipi03:
            return "Entrada não-tributada";
        case ipi04:
            return "Entrada imune";
        case ipi05:
            return "Entrada com suspensão";
        case ipi51:
            return "Saída tributada com alíquota zero";
        case ipi52:
            return "Saída isenta";
        case ipi53:
            return "Saída não-tributada";
        case ipi54:
            return "Saída imune";
        case ipi55:
            return "Saída com suspensão";
    }
    return {};
}

std::string_view Description(nfe::TkroCstPis value) {
    return PisCofinsDescription(nfe::EnumToText(value));
}

std::string_view Description(nfe::TkroCstCofins value) {
    return PisCofinsDescription(nfe::EnumToText(value));
}

}  // namespace sample::page
