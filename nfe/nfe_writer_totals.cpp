#include <string>

#include "nfe/access_key.h"
#include "nfe/code_tables.h"
#include "nfe/nfe_writer.h"
#include "nfe/place_codes.h"
#include "nfe/xml_escape.h"
#include "text/character_count.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace nfe {
namespace {

bool AnyPositive(std::initializer_list<Currency> values) {
    for (const Currency value : values) {
        if (value > Currency()) {
            return true;
        }
    }
    return false;
}

}  // namespace

void TNFeW::GerarTotal() {
    Gerador.wGrupo("total", "W01");
    GerarICMSTot();
    GerarISSQNtot();
    GerarRetTrib();
    Gerador.wGrupo("/total");
}

void TNFeW::GerarICMSTot() {
    const TICMSTot& t = NFe.Total.ICMSTot;
    Gerador.wGrupo("ICMSTot", "W02");
    Gerador.wCampo(tcDe2, "W03", "vBC", 1, 15, 1, t.vBC, "Base de calculo do ICMS");
    Gerador.wCampo(tcDe2, "W04", "vICMS", 1, 15, 1, t.vICMS, "Valor do ICMS");
    if (NFe.infNFe.Versao() >= 3.1) {
        Gerador.wCampo(tcDe2, "W04a", "vICMSDeson", 1, 15, 1, t.vICMSDeson,
                       "Valor do ICMS desonerado");
    }
    Gerador.wCampo(tcDe2, "W05", "vBCST", 1, 15, 1, t.vBCST, "Base de calculo do ICMS ST");
    Gerador.wCampo(tcDe2, "W06", "vST", 1, 15, 1, t.vST, "Valor do ICMS ST");
    Gerador.wCampo(tcDe2, "W07", "vProd", 1, 15, 1, t.vProd, "Valor dos produtos");
    Gerador.wCampo(tcDe2, "W08", "vFrete", 1, 15, 1, t.vFrete, "Valor do frete");
    Gerador.wCampo(tcDe2, "W09", "vSeg", 1, 15, 1, t.vSeg, "Valor do seguro");
    Gerador.wCampo(tcDe2, "W10", "vDesc", 1, 15, 1, t.vDesc, "Valor do desconto");
    Gerador.wCampo(tcDe2, "W11", "vII", 1, 15, 1, t.vII, "Valor do II");
    Gerador.wCampo(tcDe2, "W12", "vIPI", 1, 15, 1, t.vIPI, "Valor do IPI");
    Gerador.wCampo(tcDe2, "W13", "vPIS", 1, 15, 1, t.vPIS, "Valor do PIS");
    Gerador.wCampo(tcDe2, "W14", "vCOFINS", 1, 15, 1, t.vCOFINS, "Valor do COFINS");
    Gerador.wCampo(tcDe2, "W15", "vOutro", 1, 15, 1, t.vOutro, "Outras despesas acessorias");
    Gerador.wCampo(tcDe2, "W16", "vNF", 1, 15, 1, t.vNF, "Valor total da NF-e");
    Gerador.wCampo(tcDe2, "W16a", "vTotTrib", 1, 15, 0, t.vTotTrib,
                   "Valor aproximado dos tributos");
    Gerador.wGrupo("/ICMSTot");
}

void TNFeW::GerarISSQNtot() {
    const TISSQNtot& t = NFe.Total.ISSQNtot;
    if (!AnyPositive({t.vServ, t.vBC, t.vISS, t.vPIS, t.vCOFINS})) {
        return;
    }
    Gerador.wGrupo("ISSQNtot", "W17");
    Gerador.wCampo(tcDe2, "W18", "vServ", 1, 15, 0, t.vServ, "Valor dos servicos");
    Gerador.wCampo(tcDe2, "W19", "vBC", 1, 15, 0, t.vBC, "Base de calculo do ISS");
    Gerador.wCampo(tcDe2, "W20", "vISS", 1, 15, 0, t.vISS, "Valor do ISS");
    Gerador.wCampo(tcDe2, "W21", "vPIS", 1, 15, 0, t.vPIS, "Valor do PIS sobre servicos");
    Gerador.wCampo(tcDe2, "W22", "vCOFINS", 1, 15, 0, t.vCOFINS, "Valor do COFINS sobre servicos");
    if (NFe.infNFe.Versao() >= 3.1) {
        Gerador.wCampo(tcDat, "W22a", "dCompet", 10, 10, 1, DateTimeValue(t.dCompet),
                       "Data da prestacao do servico");
        Gerador.wCampo(tcDe2, "W22b", "vDeducao", 1, 15, 0, t.vDeducao, "Valor da deducao");
        Gerador.wCampo(tcDe2, "W22c", "vOutro", 1, 15, 0, t.vOutro, "Outras retencoes");
        Gerador.wCampo(tcDe2, "W22d", "vDescIncond", 1, 15, 0, t.vDescIncond,
                       "Desconto incondicionado");
        Gerador.wCampo(tcDe2, "W22e", "vDescCond", 1, 15, 0, t.vDescCond, "Desconto condicionado");
        Gerador.wCampo(tcDe2, "W22f", "vISSRet", 1, 15, 0, t.vISSRet, "Valor do ISS retido");
        Gerador.wCampo(tcStr, "W22g", "cRegTrib", 1, 1, 0, EnumToText(t.cRegTrib),
                       "Regime especial de tributacao");
    }
    Gerador.wGrupo("/ISSQNtot");
}

void TNFeW::GerarRetTrib() {
    const TretTrib& t = NFe.Total.retTrib;
    if (!AnyPositive(
            {t.vRetPIS, t.vRetCOFINS, t.vRetCSLL, t.vBCIRRF, t.vIRRF, t.vBCRetPrev, t.vRetPrev})) {
        return;
    }
    Gerador.wGrupo("retTrib", "W23");
    Gerador.wCampo(tcDe2, "W24", "vRetPIS", 1, 15, 0, t.vRetPIS, "PIS retido");
    Gerador.wCampo(tcDe2, "W25", "vRetCOFINS", 1, 15, 0, t.vRetCOFINS, "COFINS retido");
    Gerador.wCampo(tcDe2, "W26", "vRetCSLL", 1, 15, 0, t.vRetCSLL, "CSLL retida");
    Gerador.wCampo(tcDe2, "W27", "vBCIRRF", 1, 15, 0, t.vBCIRRF, "Base de calculo do IRRF");
    Gerador.wCampo(tcDe2, "W28", "vIRRF", 1, 15, 0, t.vIRRF, "IRRF retido");
    Gerador.wCampo(tcDe2, "W29", "vBCRetPrev", 1, 15, 0, t.vBCRetPrev,
                   "Base de calculo da previdencia");
    Gerador.wCampo(tcDe2, "W30", "vRetPrev", 1, 15, 0, t.vRetPrev, "Previdencia retida");
    Gerador.wGrupo("/retTrib");
}

void TNFeW::GerarTransp() {
    const TTransp& transp = NFe.Transp;
    Gerador.wGrupo("transp", "X01");
    Gerador.wCampo(tcStr, "X02", "modFrete", 1, 1, 1, EnumToText(transp.modFrete),
                   "Modalidade do frete");
    GerarTransporta();
    GerarRetTransp();
    GerarVeicTransp();
    GerarReboque();
    Gerador.wCampo(tcStr, "X25a", "vagao", 1, 20, 0, transp.vagao, "Identificacao do vagao");
    Gerador.wCampo(tcStr, "X25b", "balsa", 1, 20, 0, transp.balsa, "Identificacao da balsa");
    GerarVol();
    Gerador.wGrupo("/transp");
}

void TNFeW::GerarTransporta() {
    const TTransporta& t = NFe.Transp.Transporta;
    if (text::IsBlank(t.CNPJCPF) && text::IsBlank(t.xNome) && text::IsBlank(t.IE) &&
        text::IsBlank(t.xEnder) && text::IsBlank(t.xMun) && text::IsBlank(t.UF)) {
        return;
    }
    Gerador.wGrupo("transporta", "X03");
    if (!text::IsBlank(t.CNPJCPF)) {
        Gerador.wCampoCNPJCPF("X04", "X05", kBrazilCountryCode, t.CNPJCPF);
    }
    Gerador.wCampo(tcStr, "X06", "xNome", 1, 60, 0, t.xNome, "Razao social do transportador");
    Gerador.wCampo(tcStr, "X07", "IE", 2, 14, 0,
                   text::Trim(t.IE) == "ISENTO" ? t.IE : text::DigitsOnly(t.IE),
                   "Inscricao estadual do transportador");
    Gerador.wCampo(tcStr, "X08", "xEnder", 1, 60, 0, t.xEnder, "Endereco do transportador");
    Gerador.wCampo(tcStr, "X09", "xMun", 1, 60, 0, t.xMun, "Municipio do transportador");
    if (!text::IsBlank(t.UF)) {
        Gerador.wCampo(tcStr, "X10", "UF", 1, 2, 0, t.UF, "UF do transportador");
    }
    Gerador.wGrupo("/transporta");
}

void TNFeW::GerarRetTransp() {
    const TretTransp& r = NFe.Transp.retTransp;
    if (!AnyPositive({r.vServ, r.vBCRet, r.pICMSRet, r.vICMSRet}) && text::IsBlank(r.CFOP) &&
        r.cMunFG <= 0) {
        return;
    }
    Gerador.wGrupo("retTransp", "X11");
    Gerador.wCampo(tcDe2, "X12", "vServ", 1, 15, 1, r.vServ, "Valor do servico");
    Gerador.wCampo(tcDe2, "X13", "vBCRet", 1, 15, 1, r.vBCRet, "Base de calculo da retencao");
    Gerador.wCampo(tcDe2, "X14", "pICMSRet", 1, 5, 1, r.pICMSRet, "Aliquota da retencao");
    Gerador.wCampo(tcDe2, "X15", "vICMSRet", 1, 15, 1, r.vICMSRet, "Valor do ICMS retido");
    Gerador.wCampo(tcEsp, "X16", "CFOP", 4, 4, 1, text::DigitsOnly(r.CFOP), "CFOP do transporte");
    Gerador.wCampo(tcStr, "X17", "cMunFG", 7, 7, 1, std::to_string(r.cMunFG),
                   "Municipio do fato gerador do transporte");
    Gerador.wGrupo("/retTransp");
}

void TNFeW::GerarVeicTransp() {
    const TveicTransp& v = NFe.Transp.veicTransp;
    if (text::IsBlank(v.placa) && text::IsBlank(v.UF) && text::IsBlank(v.RNTC)) {
        return;
    }
    Gerador.wGrupo("veicTransp", "X18");
    Gerador.wCampo(tcStr, "X19", "placa", 6, 7, 1, v.placa, "Placa do veiculo");
    Gerador.wCampo(tcStr, "X20", "UF", 2, 2, 1, v.UF, "UF do veiculo");
    Gerador.wCampo(tcStr, "X21", "RNTC", 1, 20, 0, v.RNTC, "Registro nacional do transportador");
    Gerador.wGrupo("/veicTransp");
}

void TNFeW::GerarReboque() {
    const TreboqueCollection& reboques = NFe.Transp.Reboque;
    AlertarOcorrencias("X22", "reboque", reboques.Count(), 5, "Reboques");
    for (const TreboqueCollectionItem& r : reboques) {
        Gerador.wGrupo("reboque", "X22");
        Gerador.wCampo(tcStr, "X23", "placa", 6, 7, 1, r.placa, "Placa do reboque");
        Gerador.wCampo(tcStr, "X24", "UF", 2, 2, 1, r.UF, "UF do reboque");
        Gerador.wCampo(tcStr, "X25", "RNTC", 1, 20, 0, r.RNTC,
                       "Registro nacional do transportador");
        Gerador.wGrupo("/reboque");
    }
}

void TNFeW::GerarVol() {
    for (const TVolCollectionItem& vol : NFe.Transp.Vol) {
        Gerador.wGrupo("vol", "X26");
        Gerador.wCampo(tcInt, "X27", "qVol", 1, 15, 1, vol.qVol, "Quantidade de volumes");
        Gerador.wCampo(tcStr, "X28", "esp", 1, 60, 0, vol.esp, "Especie dos volumes");
        Gerador.wCampo(tcStr, "X29", "marca", 1, 60, 0, vol.marca, "Marca dos volumes");
        Gerador.wCampo(tcStr, "X30", "nVol", 1, 60, 0, vol.nVol, "Numeracao dos volumes");
        Gerador.wCampo(tcDe3, "X31", "pesoL", 1, 15, 0, vol.pesoL, "Peso liquido");
        Gerador.wCampo(tcDe3, "X32", "pesoB", 1, 15, 0, vol.pesoB, "Peso bruto");
        for (const TLacresCollectionItem& lacre : vol.Lacres) {
            Gerador.wGrupo("lacres", "X33");
            Gerador.wCampo(tcStr, "X34", "nLacre", 1, 60, 1, lacre.nLacre, "Numero do lacre");
            Gerador.wGrupo("/lacres");
        }
        Gerador.wGrupo("/vol");
    }
}

void TNFeW::GerarCobr() {
    const TCobr& cobr = NFe.Cobr;
    const TFat& fat = cobr.Fat;
    const bool comFatura =
        !text::IsBlank(fat.nFat) || AnyPositive({fat.vOrig, fat.vDesc, fat.vLiq});
    if (!comFatura && cobr.Dup.Count() == 0) {
        return;
    }
    Gerador.wGrupo("cobr", "Y01");
    if (comFatura) {
        Gerador.wGrupo("fat", "Y02");
        Gerador.wCampo(tcStr, "Y03", "nFat", 1, 60, 0, fat.nFat, "Numero da fatura");
        Gerador.wCampo(tcDe2, "Y04", "vOrig", 1, 15, 0, fat.vOrig, "Valor original da fatura");
        Gerador.wCampo(tcDe2, "Y05", "vDesc", 1, 15, 0, fat.vDesc, "Valor do desconto");
        Gerador.wCampo(tcDe2, "Y06", "vLiq", 1, 15, 0, fat.vLiq, "Valor liquido da fatura");
        Gerador.wGrupo("/fat");
    }
    for (const TDupCollectionItem& dup : cobr.Dup) {
        Gerador.wGrupo("dup", "Y07");
        Gerador.wCampo(tcStr, "Y08", "nDup", 1, 60, 0, dup.nDup, "Numero da duplicata");
        Gerador.wCampo(tcDat, "Y09", "dVenc", 10, 10, 0, DateTimeValue(dup.dVenc),
                       "Data de vencimento");
        Gerador.wCampo(tcDe2, "Y10", "vDup", 1, 15, 1, dup.vDup, "Valor da duplicata");
        Gerador.wGrupo("/dup");
    }
    AlertarOcorrencias("Y07", "dup", cobr.Dup.Count(), 120, "Duplicatas");
    Gerador.wGrupo("/cobr");
}

void TNFeW::GerarPag() {
    for (const TpagCollectionItem& pag : NFe.pag) {
        Gerador.wGrupo("pag", "YA01");
        Gerador.wCampo(tcStr, "YA02", "tPag", 2, 2, 1, EnumToText(pag.tPag), "Forma de pagamento");
        Gerador.wCampo(tcDe2, "YA03", "vPag", 1, 15, 1, pag.vPag, "Valor do pagamento");
        if (!pag.CNPJ.empty()) {
            Gerador.wGrupo("card", "YA04");
            Gerador.wCampo(tcStr, "YA05", "CNPJ", 14, 14, 1, pag.CNPJ,
                           "CNPJ da credenciadora do cartao");
            Gerador.wCampo(tcStr, "YA06", "tBand", 2, 2, 1, EnumToText(pag.tBand),
                           "Bandeira do cartao");
            Gerador.wCampo(tcStr, "YA07", "cAut", 1, 20, 1, pag.cAut, "Numero de autorizacao");
            Gerador.wGrupo("/card");
        }
        Gerador.wGrupo("/pag");
    }
    AlertarOcorrencias("YA01", "pag", NFe.pag.Count(), 100, "");
}

void TNFeW::GerarInfAdic() {
    const TInfAdic& inf = NFe.InfAdic;
    if (text::IsBlank(inf.infAdFisco) && text::IsBlank(inf.infCpl) && inf.obsCont.Count() == 0 &&
        inf.obsFisco.Count() == 0 && inf.procRef.Count() == 0) {
        return;
    }
    Gerador.wGrupo("infAdic", "Z01");
    Gerador.wCampo(tcStr, "Z02", "infAdFisco", 1, 2000, 0, inf.infAdFisco,
                   "Informacoes de interesse do fisco");
    Gerador.wCampo(tcStr, "Z03", "infCpl", 1, 5000, 0, inf.infCpl, "Informacoes complementares");
    GerarObsCont();
    GerarObsFisco();
    GerarProcRef();
    Gerador.wGrupo("/infAdic");
}

void TNFeW::ValidarXCampo(std::string_view ID, std::string_view xCampo) {
    const std::string_view trimmed = text::Trim(xCampo);
    if (text::Utf8CharacterCount(trimmed) > 20) {
        Gerador.wAlerta(ID, "xCampo", "Nome do campo", "Tamanho maior que o máximo permitido");
    } else if (trimmed.empty()) {
        Gerador.wAlerta(ID, "xCampo", "Nome do campo", "Nenhum valor informado");
    }
}

void TNFeW::GerarObsCont() {
    const TobsContCollection& lista = NFe.InfAdic.obsCont;
    AlertarOcorrencias("Z04", "obsCont", lista.Count(), 10, "Observacoes do contribuinte");
    for (const TobsContCollectionItem& obs : lista) {
        ValidarXCampo("ZO5", obs.xCampo);
        Gerador.wGrupo("obsCont xCampo=\"" + EscapeXmlText(obs.xCampo) + "\"", "Z04");
        Gerador.wCampo(tcStr, "Z06", "xTexto", 1, 60, 1, obs.xTexto, "Conteudo do campo");
        Gerador.wGrupo("/obsCont");
    }
}

void TNFeW::GerarObsFisco() {
    const TobsFiscoCollection& lista = NFe.InfAdic.obsFisco;
    AlertarOcorrencias("Z07", "obsFisco", lista.Count(), 10, "Observacoes do fisco");
    for (const TobsFiscoCollectionItem& obs : lista) {
        ValidarXCampo("ZO8", obs.xCampo);
        Gerador.wGrupo("obsFisco xCampo=\"" + EscapeXmlText(text::Trim(obs.xCampo)) + "\"", "Z07");
        Gerador.wCampo(tcStr, "Z09", "xTexto", 1, 60, 1, obs.xTexto, "Conteudo do campo");
        Gerador.wGrupo("/obsFisco");
    }
}

void TNFeW::GerarProcRef() {
    for (const TprocRefCollectionItem& proc : NFe.InfAdic.procRef) {
        Gerador.wGrupo("procRef", "Z10");
        Gerador.wCampo(tcStr, "Z11", "nProc", 1, 60, 1, proc.nProc, "Numero do processo");
        Gerador.wCampo(tcStr, "Z12", "indProc", 1, 1, 1, EnumToText(proc.indProc),
                       "Origem do processo");
        Gerador.wGrupo("/procRef");
    }
}

void TNFeW::GerarExporta() {
    const TExporta& e = NFe.exporta;
    if (NFe.infNFe.Versao() < 3.1) {
        if (text::IsBlank(e.UFembarq + e.xLocEmbarq)) {
            return;
        }
        Gerador.wGrupo("exporta", "ZA01");
        Gerador.wCampo(tcStr, "ZA02", "UFEmbarq", 2, 2, 1, e.UFembarq, "UF de embarque");
        ValidarUF("ZA02", "UFEmbarq", e.UFembarq);
        Gerador.wCampo(tcStr, "ZA03", "xLocEmbarq", 1, 60, 1, e.xLocEmbarq, "Local de embarque");
    } else {
        if (text::IsBlank(e.UFSaidaPais + e.xLocExporta)) {
            return;
        }
        Gerador.wGrupo("exporta", "ZA01");
        Gerador.wCampo(tcStr, "ZA02", "UFSaidaPais", 2, 2, 1, e.UFSaidaPais, "UF de saida do pais");
        ValidarUF("ZA02", "UFSaidaPais", e.UFSaidaPais);
        Gerador.wCampo(tcStr, "ZA03", "xLocExporta", 1, 60, 1, e.xLocExporta, "Local de embarque");
        Gerador.wCampo(tcStr, "ZA04", "xLocDespacho", 1, 60, 0, e.xLocDespacho,
                       "Local de despacho");
    }
    Gerador.wGrupo("/exporta");
}

void TNFeW::GerarCompra() {
    const TCompra& c = NFe.compra;
    if (text::IsBlank(c.xNEmp + c.xPed + c.xCont)) {
        return;
    }
    Gerador.wGrupo("compra", "ZB01");
    Gerador.wCampo(tcStr, "ZB02", "xNEmp", 1, 22, 0, c.xNEmp, "Nota de empenho");
    Gerador.wCampo(tcStr, "ZB03", "xPed", 1, 60, 0, c.xPed, "Pedido");
    Gerador.wCampo(tcStr, "ZB04", "xCont", 1, 60, 0, c.xCont, "Contrato");
    Gerador.wGrupo("/compra");
}

void TNFeW::GerarCana() {
    const TCana& cana = NFe.cana;
    if (text::IsBlank(cana.safra) && text::IsBlank(cana.ref) && cana.fordia.Count() == 0 &&
        cana.deduc.Count() == 0) {
        return;
    }
    Gerador.wGrupo("cana", "ZC01");
    Gerador.wCampo(tcStr, "ZC02", "safra", 4, 9, 0, cana.safra, "Safra");
    Gerador.wCampo(tcStr, "ZC03", "ref", 4, 9, 0, cana.ref, "Mes e ano de referencia");
    AlertarOcorrencias("ZC04", "forDia", cana.fordia.Count(), 31, "Fornecimento diario");
    for (const TForDiaCollectionItem& dia : cana.fordia) {
        Gerador.wGrupo("forDia dia=\"" + std::to_string(dia.dia) + "\"", "ZC04");
        Gerador.wCampo(tcDe10, "ZC06", "qtde", 11, 21, 1, dia.qtde, "Quantidade do dia");
        Gerador.wGrupo("/forDia");
    }
    Gerador.wCampo(tcDe10, "ZC07", "qTotMes", 1, 21, 1, cana.qTotMes, "Quantidade no mes");
    Gerador.wCampo(tcDe10, "ZC08", "qTotAnt", 1, 21, 1, cana.qTotAnt, "Quantidade anterior");
    Gerador.wCampo(tcDe10, "ZC09", "qTotGer", 1, 21, 1, cana.qTotGer, "Quantidade total");
    AlertarOcorrencias("ZC10", "deduc", cana.deduc.Count(), 10, "Deducoes");
    for (const TDeducCollectionItem& deduc : cana.deduc) {
        Gerador.wGrupo("deduc", "ZC10");
        Gerador.wCampo(tcStr, "ZC11", "xDed", 1, 60, 1, deduc.xDed, "Descricao da deducao");
        Gerador.wCampo(tcDe2, "ZC12", "vDed", 1, 15, 1, deduc.vDed, "Valor da deducao");
        Gerador.wGrupo("/deduc");
    }
    Gerador.wCampo(tcDe2, "ZC13", "vFor", 1, 15, 1, cana.vFor, "Valor dos fornecimentos");
    Gerador.wCampo(tcDe2, "ZC14", "vTotDed", 1, 15, 1, cana.vTotDed, "Valor das deducoes");
    Gerador.wCampo(tcDe2, "ZC15", "vLiqFor", 1, 15, 1, cana.vLiqFor,
                   "Valor liquido dos fornecimentos");
    Gerador.wGrupo("/cana");
}

}  // namespace nfe
