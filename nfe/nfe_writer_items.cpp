#include <string>
#include <string_view>

#include "nfe/access_key.h"
#include "nfe/code_tables.h"
#include "nfe/nfe_writer.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace nfe {
namespace {

constexpr std::string_view kMaximo = "Número de ocorrências maior que o máximo permitido - Máximo ";

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int TwoDigits(std::string_view text, std::size_t at) {
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// A RECOPI number is 20 digits that begin with the date and time of its registration,
// yyyymmddhhnnss.
bool IsValidRECOPI(std::string_view number) {
    if (number.size() != 20 || text::DigitsOnly(number).size() != 20) {
        return false;
    }
    static constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int year = TwoDigits(number, 0) * 100 + TwoDigits(number, 2);
    const int month = TwoDigits(number, 4);
    const int day = TwoDigits(number, 6);
    if (year < 1 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const int lastDay = kDaysInMonth[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= lastDay && TwoDigits(number, 8) < 24 && TwoDigits(number, 10) < 60 &&
           TwoDigits(number, 12) < 60;
}

}  // namespace

void TNFeW::GerarDet() {
    for (int i = 0; i < NFe.Det.Count(); ++i) {
        const TDetCollectionItem& det = NFe.Det[i];
        Gerador.wGrupo("det nItem=\"" + std::to_string(det.Prod.nItem) + "\"", "H01");
        GerarDetProd(i);
        GerarDetImposto(i);
        if (det.pDevol > Currency()) {
            GerarDetDevol(i);
        }
        Gerador.wCampo(tcStr, "V01", "infAdProd", 1, 500, 0, det.infAdProd,
                       "Informacoes adicionais do produto");
        Gerador.wGrupo("/det");
    }
    if (NFe.Det.Count() > 990) {
        Gerador.wAlerta("H02", "nItem", "Numero do item", std::string(kMaximo) + "990");
    }
}

void TNFeW::GerarDetProd(int i) {
    const TProd& prod = NFe.Det[i].Prod;
    const double versao = NFe.infNFe.Versao();
    // Unit values carry ten decimals from layout 2.00 on.
    const TkroTipoCampo tipoValorUnitario = versao >= 2.0 ? tcDe10 : tcDe4;

    Gerador.wGrupo("prod", "I01");
    Gerador.wCampo(tcStr, "I02", "cProd", 1, 60, 1, prod.cProd, "Codigo do produto");
    Gerador.wCampo(tcStr, "I03", "cEAN", 0, 14, 1, prod.cEAN, "GTIN do produto");
    Gerador.wCampo(tcStr, "I04", "xProd", 1, 120, 1, prod.xProd, "Descricao do produto");
    Gerador.wCampo(tcStr, "I05", "NCM", 2, 8, versao >= 2.0 ? 1 : 0, prod.NCM, "Codigo NCM");
    for (const TNVECollectionItem& nve : prod.NVE) {
        Gerador.wCampo(tcStr, "I05a", "NVE", 6, 6, 0, nve.NVE, "Codigo NVE");
    }
    if (prod.NVE.Count() > 8) {
        Gerador.wAlerta("I05a", "NVE", "Numero do item", std::string(kMaximo) + "8");
    }
    Gerador.wCampo(tcStr, "I06", "EXTIPI", 2, 3, 0, prod.EXTIPI, "Codigo EX TIPI");
    Gerador.wCampo(tcEsp, "I08", "CFOP", 4, 4, 1, text::DigitsOnly(prod.CFOP), "CFOP");
    Gerador.wCampo(tcStr, "I09", "uCom", 1, 6, 1, prod.uCom, "Unidade comercial");
    Gerador.wCampo(tcDe4, "I10", "qCom", 0, 15, 1, prod.qCom, "Quantidade comercial");
    Gerador.wCampo(tipoValorUnitario, "I10a", "vUnCom", 0, 21, 1, prod.vUnCom,
                   "Valor unitario de comercializacao");
    Gerador.wCampo(tcDe2, "I11", "vProd", 0, 15, 1, prod.vProd, "Valor total bruto");
    Gerador.wCampo(tcStr, "I12", "cEANTrib", 0, 14, 1, prod.cEANTrib, "GTIN da unidade tributavel");
    Gerador.wCampo(tcStr, "I13", "uTrib", 1, 6, 1, prod.uTrib, "Unidade tributavel");
    Gerador.wCampo(tcDe4, "I14", "qTrib", 0, 15, 1, prod.qTrib, "Quantidade tributavel");
    Gerador.wCampo(tipoValorUnitario, "I14a", "vUnTrib", 0, 21, 1, prod.vUnTrib,
                   "Valor unitario de tributacao");
    Gerador.wCampo(tcDe2, "I15", "vFrete", 0, 15, 0, prod.vFrete, "Valor do frete");
    Gerador.wCampo(tcDe2, "I16", "vSeg", 0, 15, 0, prod.vSeg, "Valor do seguro");
    Gerador.wCampo(tcDe2, "I17", "vDesc", 0, 15, 0, prod.vDesc, "Valor do desconto");
    Gerador.wCampo(tcDe2, "I17a", "vOutro", 0, 15, 0, prod.vOutro, "Outras despesas acessorias");
    if (versao >= 2.0) {
        Gerador.wCampo(tcStr, "I17b", "indTot", 1, 1, 1, EnumToText(prod.IndTot),
                       "Indicador de totalizacao");
    }
    GerarDetProdDI(i);
    GerarDetProdDetExport(i);
    Gerador.wCampo(tcStr, "I30", "xPed", 1, 15, 0, prod.xPed, "Numero do pedido de compra");
    Gerador.wCampo(tcInt, "I31", "nItemPed", 1, 6, 0, prod.nItemPed, "Item do pedido de compra");
    Gerador.wCampo(tcStr, "I70", "nFCI", 36, 36, 0, prod.nFCI, "Numero de controle da FCI");
    if (!text::Trim(prod.veicProd.chassi).empty()) {
        GerarDetProdVeicProd(i);
    }
    GerarDetProdMed(i);
    GerarDetProdArma(i);
    if (prod.comb.cProdANP > 0) {
        GerarDetProdComb(i);
    }
    Gerador.wCampo(tcStr, "L109", "nRECOPI", 20, 20, 0, prod.nRECOPI, "Numero do RECOPI");
    if (!text::Trim(prod.nRECOPI).empty() && !IsValidRECOPI(text::Trim(prod.nRECOPI))) {
        Gerador.wAlerta("L109", "nRECOPI", "Numero do RECOPI", "Conteúdo inválido");
    }
    Gerador.wGrupo("/prod");
}

void TNFeW::GerarDetProdDI(int i) {
    // The transport, intermediation and third-party fields came with layout 3.10.
    const bool layout310 = NFe.infNFe.Versao() >= 3.1;
    for (const TDICollectionItem& di : NFe.Det[i].Prod.DI) {
        Gerador.wGrupo("DI", "I18");
        Gerador.wCampo(tcStr, "I19", "nDI", 1, 12, 1, di.nDi, "Numero da DI");
        Gerador.wCampo(tcDat, "I20", "dDI", 10, 10, 1, DateTimeValue(di.dDi),
                       "Data de registro da DI");
        Gerador.wCampo(tcStr, "I21", "xLocDesemb", 1, 60, 1, di.xLocDesemb, "Local do desembaraco");
        Gerador.wCampo(tcStr, "I22", "UFDesemb", 2, 2, 1, di.UFDesemb, "UF do desembaraco");
        Gerador.wCampo(tcDat, "I23", "dDesemb", 10, 10, 1, DateTimeValue(di.dDesemb),
                       "Data do desembaraco");
        if (layout310) {
            Gerador.wCampo(tcStr, "I23a", "tpViaTransp", 1, 2, 1, EnumToText(di.tpViaTransp),
                           "Via de transporte internacional");
            Gerador.wCampo(tcDe2, "I23b", "vAFRMM", 1, 15, 0, di.vAFRMM, "Valor do AFRMM");
            Gerador.wCampo(tcStr, "I23c", "tpIntermedio", 1, 1, 1, EnumToText(di.tpIntermedio),
                           "Forma de importacao");
            Gerador.wCampo(tcStr, "I23d", "CNPJ", 14, 14, 0, di.CNPJ,
                           "CNPJ do adquirente ou encomendante");
            Gerador.wCampo(tcStr, "I23e", "UFTerceiro", 2, 2, 0, di.UFTerceiro,
                           "UF do adquirente ou encomendante");
        }
        Gerador.wCampo(tcStr, "I24", "cExportador", 1, 60, 1, di.cExportador,
                       "Codigo do exportador");
        for (const TAdiCollectionItem& adi : di.adi) {
            Gerador.wGrupo("adi", "I25");
            Gerador.wCampo(tcInt, "I26", "nAdicao", 1, 3, 1, adi.nAdicao, "Numero da adicao");
            Gerador.wCampo(tcInt, "I27", "nSeqAdic", 1, 3, 1, adi.nSeqAdi,
                           "Numero sequencial do item na adicao");
            Gerador.wCampo(tcStr, "I28", "cFabricante", 1, 60, 1, adi.cFabricante,
                           "Codigo do fabricante estrangeiro");
            Gerador.wCampo(tcDe2, "I29", "vDescDI", 1, 15, 0, adi.vDescDI,
                           "Valor do desconto do item da DI");
            Gerador.wCampo(tcStr, "I29a", "nDraw", 1, 11, 0, adi.nDraw,
                           "Numero do ato concessorio de drawback");
            Gerador.wGrupo("/adi");
        }
        Gerador.wGrupo("/DI");
    }
}

void TNFeW::GerarDetProdDetExport(int i) {
    for (const TdetExportCollectionItem& detExport : NFe.Det[i].Prod.detExport) {
        Gerador.wGrupo("detExport", "I50");
        Gerador.wCampo(tcStr, "I51", "nDraw", 1, 11, 0, detExport.nDraw,
                       "Numero do ato concessorio de drawback");
        if (!text::Trim(detExport.nRE).empty() || !text::Trim(detExport.chNFe).empty() ||
            detExport.qExport > Currency()) {
            Gerador.wGrupo("exportInd", "I52");
            Gerador.wCampo(tcStr, "I53", "nRE", 1, 12, 1, detExport.nRE,
                           "Numero do registro de exportacao");
            Gerador.wCampo(tcStr, "I54", "chNFe", 44, 44, 1, detExport.chNFe,
                           "Chave de acesso da NF-e recebida para exportacao");
            Gerador.wCampo(tcDe4, "I55", "qExport", 1, 15, 1, detExport.qExport,
                           "Quantidade do item realmente exportado");
            Gerador.wGrupo("/exportInd");
        }
        Gerador.wGrupo("/detExport");
    }
}

void TNFeW::GerarDetProdVeicProd(int i) {
    const TveicProd& veic = NFe.Det[i].Prod.veicProd;
    const bool layout200 = NFe.infNFe.Versao() >= 2.0;

    Gerador.wGrupo("veicProd", "J01");
    Gerador.wCampo(tcStr, "J02", "tpOp", 1, 1, 1, EnumToText(veic.tpOP), "Tipo da operacao");
    Gerador.wCampo(tcStr, "J03", "chassi", 17, 17, 1, veic.chassi, "Chassi do veiculo");
    Gerador.wCampo(tcStr, "J04", "cCor", 4, 4, 1, veic.cCor, "Cor");
    Gerador.wCampo(tcStr, "J05", "xCor", 1, 40, 1, veic.xCor, "Descricao da cor");
    Gerador.wCampo(tcStr, "J06", "pot", 4, 4, 1, veic.pot, "Potencia do motor");
    Gerador.wCampo(tcStr, "J07", layout200 ? "cilin" : "CM3", 4, 4, 1, veic.Cilin, "Cilindradas");
    Gerador.wCampo(tcStr, "J08", "pesoL", 0, 9, 1, veic.pesoL, "Peso liquido");
    Gerador.wCampo(tcStr, "J09", "pesoB", 0, 9, 1, veic.pesoB, "Peso bruto");
    Gerador.wCampo(tcStr, "J10", "nSerie", 0, 9, 1, veic.nSerie, "Serial");
    Gerador.wCampo(tcStr, "J11", "tpComb", 2, 2, 1, veic.tpComb, "Tipo de combustivel");
    Gerador.wCampo(tcStr, "J12", "nMotor", 0, 21, 1, veic.nMotor, "Numero do motor");
    Gerador.wCampo(tcStr, "J13", layout200 ? "CMT" : "CMKG", 9, 9, 1, veic.CMT,
                   "Capacidade maxima de tracao");
    Gerador.wCampo(tcStr, "J14", "dist", 0, 4, 1, veic.dist, "Distancia entre eixos");
    Gerador.wCampo(tcInt, "J16", "anoMod", 0, 4, 1, veic.anoMod, "Ano modelo de fabricacao");
    Gerador.wCampo(tcInt, "J17", "anoFab", 0, 4, 1, veic.anoFab, "Ano de fabricacao");
    Gerador.wCampo(tcStr, "J18", "tpPint", 0, 1, 1, veic.tpPint, "Tipo de pintura");
    Gerador.wCampo(tcInt, "J19", "tpVeic", 0, 2, 1, veic.tpVeic, "Tipo de veiculo");
    Gerador.wCampo(tcInt, "J20", "espVeic", 0, 1, 1, veic.espVeic, "Especie de veiculo");
    Gerador.wCampo(tcStr, "J21", "VIN", 0, 1, 1, veic.VIN, "Condicao do VIN");
    Gerador.wCampo(tcStr, "J22", "condVeic", 0, 1, 1, EnumToText(veic.condVeic),
                   "Condicao do veiculo");
    Gerador.wCampo(tcStr, "J23", "cMod", 0, 6, 1, veic.cMod, "Codigo marca modelo");
    if (layout200) {
        Gerador.wCampo(tcStr, "J24", "cCorDENATRAN", 0, 2, 1, veic.cCorDENATRAN,
                       "Codigo da cor DENATRAN");
        Gerador.wCampo(tcInt, "J25", "lota", 1, 3, 1, veic.lota, "Capacidade de lotacao");
        Gerador.wCampo(tcInt, "J26", "tpRest", 1, 1, 1, veic.tpRest, "Restricao");
    }
    Gerador.wGrupo("/veicProd");
}

void TNFeW::GerarDetProdMed(int i) {
    const TmedCollection& meds = NFe.Det[i].Prod.med;
    for (const TmedCollectionItem& med : meds) {
        Gerador.wGrupo("med", "K01");
        Gerador.wCampo(tcStr, "K02", "nLote", 1, 20, 1, med.nLote, "Numero do lote");
        Gerador.wCampo(tcDe3, "K03", "qLote", 0, 11, 1, med.qLote,
                       "Quantidade de produtos no lote");
        Gerador.wCampo(tcDat, "K04", "dFab", 10, 10, 1, DateTimeValue(med.dFab),
                       "Data de fabricacao");
        Gerador.wCampo(tcDat, "K05", "dVal", 10, 10, 1, DateTimeValue(med.dVal),
                       "Data de validade");
        Gerador.wCampo(tcDe2, "K06", "vPMC", 0, 15, 1, med.vPMC, "Preco maximo ao consumidor");
        Gerador.wGrupo("/med");
    }
    if (meds.Count() > 500) {
        Gerador.wAlerta("K01", "med", "Numero do item", std::string(kMaximo) + "500");
    }
}

void TNFeW::GerarDetProdArma(int i) {
    for (const TarmaCollectionItem& arma : NFe.Det[i].Prod.arma) {
        Gerador.wGrupo("arma", "L01");
        Gerador.wCampo(tcStr, "L02", "tpArma", 1, 1, 1, EnumToText(arma.tpArma),
                       "Tipo de arma de fogo");
        Gerador.wCampo(tcStr, "L03", "nSerie", 1, 15, 1, arma.nSerie, "Numero de serie da arma");
        Gerador.wCampo(tcStr, "L04", "nCano", 1, 15, 1, arma.nCano, "Numero de serie do cano");
        Gerador.wCampo(tcStr, "L05", "descr", 1, 256, 1, arma.descr, "Descricao da arma");
        Gerador.wGrupo("/arma");
    }
}

void TNFeW::GerarDetProdComb(int i) {
    const TComb& comb = NFe.Det[i].Prod.comb;
    const double versao = NFe.infNFe.Versao();

    Gerador.wGrupo("comb", "L01");
    Gerador.wCampo(tcInt, "L102", "cProdANP", 9, 9, 1, comb.cProdANP, "Codigo de produto da ANP");
    if (versao >= 3.1) {
        Gerador.wCampo(tcDe4, "L102a", "pMixGN", 1, 6, 0, comb.pMixGN, "Percentual de gas natural");
    }
    Gerador.wCampo(tcStr, "L103", "CODIF", 1, 21, 0, comb.CODIF, "Codigo de autorizacao CODIF");
    Gerador.wCampo(tcDe4, "L104", "qTemp", 1, 16, 0, comb.qTemp,
                   "Quantidade faturada a temperatura ambiente");
    // The consumer's state stands in comb from layout 2.00 on; before, in ICMSCons.
    if (versao >= 2.0) {
        Gerador.wCampo(tcStr, "L120", "UFCons", 2, 2, 1, comb.UFcons, "UF de consumo");
    }
    if (comb.CIDE.qBCProd > Currency() || comb.CIDE.vAliqProd > Currency() ||
        comb.CIDE.vCIDE > Currency()) {
        Gerador.wGrupo("CIDE", "L105");
        Gerador.wCampo(tcDe4, "L106", "qBCProd", 1, 16, 1, comb.CIDE.qBCProd,
                       "Base de calculo da CIDE");
        Gerador.wCampo(tcDe4, "L107", "vAliqProd", 1, 15, 1, comb.CIDE.vAliqProd,
                       "Valor da aliquota da CIDE");
        Gerador.wCampo(tcDe2, "L108", "vCIDE", 1, 15, 1, comb.CIDE.vCIDE, "Valor da CIDE");
        Gerador.wGrupo("/CIDE");
    }

    // The fuel ICMS groups left the layout with version 2.00: they are written for older
    // documents, and their values are reported rather than dropped without a word.
    const TICMSComb& icms = comb.ICMS;
    const TICMSInter& inter = comb.ICMSInter;
    const TICMSCons& cons = comb.ICMSCons;
    const bool temICMS = icms.vBCICMS > Currency() || icms.vICMS > Currency() ||
                         icms.vBCICMSST > Currency() || icms.vICMSST > Currency();
    const bool temInter = inter.vBCICMSSTDest > Currency() || inter.vICMSSTDest > Currency();
    const bool temCons = cons.vBCICMSSTCons > Currency() || cons.vICMSSTCons > Currency() ||
                         !text::Trim(cons.UFcons).empty();
    if (versao >= 2.0) {
        if (temICMS || temInter || temCons) {
            Gerador.wAlerta("L109", "ICMSComb", "ICMS de combustiveis",
                            "Grupo não previsto na versão do leiaute - valores não gerados");
        }
    } else {
        if (temICMS) {
            Gerador.wGrupo("ICMSComb", "L109");
            Gerador.wCampo(tcDe2, "L110", "vBCICMS", 1, 15, 1, icms.vBCICMS,
                           "Base de calculo do ICMS");
            Gerador.wCampo(tcDe2, "L111", "vICMS", 1, 15, 1, icms.vICMS, "Valor do ICMS");
            Gerador.wCampo(tcDe2, "L112", "vBCICMSST", 1, 15, 1, icms.vBCICMSST,
                           "Base de calculo do ICMS ST");
            Gerador.wCampo(tcDe2, "L113", "vICMSST", 1, 15, 1, icms.vICMSST, "Valor do ICMS ST");
            Gerador.wGrupo("/ICMSComb");
        }
        if (temInter) {
            Gerador.wGrupo("ICMSInter", "L114");
            Gerador.wCampo(tcDe2, "L115", "vBCICMSSTDest", 1, 15, 1, inter.vBCICMSSTDest,
                           "Base de calculo do ICMS ST da UF de destino");
            Gerador.wCampo(tcDe2, "L116", "vICMSSTDest", 1, 15, 1, inter.vICMSSTDest,
                           "Valor do ICMS ST da UF de destino");
            Gerador.wGrupo("/ICMSInter");
        }
        if (temCons) {
            Gerador.wGrupo("ICMSCons", "L117");
            Gerador.wCampo(tcDe2, "L118", "vBCICMSSTCons", 1, 15, 1, cons.vBCICMSSTCons,
                           "Base de calculo do ICMS ST da UF de consumo");
            Gerador.wCampo(tcDe2, "L119", "vICMSSTCons", 1, 15, 1, cons.vICMSSTCons,
                           "Valor do ICMS ST da UF de consumo");
            Gerador.wCampo(tcStr, "L120", "UFcons", 2, 2, 1, cons.UFcons, "UF de consumo");
            Gerador.wGrupo("/ICMSCons");
        }
    }
    Gerador.wGrupo("/comb");
}

void TNFeW::GerarDetDevol(int i) {
    const TDetCollectionItem& det = NFe.Det[i];
    Gerador.wGrupo("impostoDevol", "U50");
    Gerador.wCampo(tcDe2, "U51", "pDevol", 1, 5, 1, det.pDevol,
                   "Percentual da mercadoria devolvida");
    Gerador.wGrupo("IPI", "U60");
    Gerador.wCampo(tcDe2, "U61", "vIPIDevol", 1, 15, 1, det.vIPIDevol, "Valor do IPI devolvido");
    Gerador.wGrupo("/IPI");
    Gerador.wGrupo("/impostoDevol");
}

}  // namespace nfe
