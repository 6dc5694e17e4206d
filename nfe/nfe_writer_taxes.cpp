#include <string>
#include <string_view>

#include "nfe/code_tables.h"
#include "nfe/nfe_writer.h"

namespace nfe {
namespace {

constexpr Currency kZero;

// Rates carry four decimals from layout 3.10 on, two before.
struct RateField {
    explicit RateField(bool fourDecimals)
        : type(fourDecimals ? tcDe4 : tcDe2), maxLength(fourDecimals ? 7 : 5) {}

    void Write(TGerador& gerador, std::string_view ID, std::string_view TAG, int ocorrencias,
               Currency value, std::string_view Descricao) const {
        gerador.wCampo(type, ID, TAG, 1, maxLength, ocorrencias, value, Descricao);
    }

    TkroTipoCampo type;
    int maxLength;
};

// The elements of the ICMS groups: each keeps its identifier, type and sizes in every
// variant, only its occurrence changes.
class IcmsElements {
public:
    IcmsElements(TGerador& gerador, const TICMS& icms, RateField rate)
        : g_(gerador), icms_(icms), rate_(rate) {}

    void orig() {
        g_.wCampo(tcStr, "N11", "orig", 1, 1, 1, EnumToText(icms_.orig), "Origem da mercadoria");
    }
    void CST() {
        g_.wCampo(tcStr, "N12", "CST", 2, 2, 1, EnumToText(icms_.CST), "Tributacao do ICMS");
    }
    void CSOSN() {
        g_.wCampo(tcStr, "N12a", "CSOSN", 3, 3, 1, EnumToText(icms_.CSOSN),
                  "Codigo de situacao da operacao - Simples Nacional");
    }
    void modBC(int oc) {
        g_.wCampo(tcStr, "N13", "modBC", 1, 1, oc, EnumToText(icms_.modBC),
                  "Modalidade de determinacao da BC do ICMS");
    }
    void pRedBC(int oc) {
        rate_.Write(g_, "N14", "pRedBC", oc, icms_.pRedBC, "Percentual de reducao da BC");
    }
    // The partition group's reduction keeps two decimals in every layout.
    void pRedBCTwoDecimals(int oc) {
        g_.wCampo(tcDe2, "N14", "pRedBC", 1, 5, oc, icms_.pRedBC, "Percentual de reducao da BC");
    }
    void vBC(int oc) {
        g_.wCampo(tcDe2, "N15", "vBC", 1, 15, oc, icms_.vBC, "Valor da BC do ICMS");
    }
    void pICMS(int oc) { rate_.Write(g_, "N16", "pICMS", oc, icms_.pICMS, "Aliquota do ICMS"); }
    void vICMSOp(int oc) {
        g_.wCampo(tcDe2, "N16a", "vICMSOp", 1, 15, oc, icms_.vICMSOp, "Valor do ICMS da operacao");
    }
    void pDif(int oc) {
        rate_.Write(g_, "N16b", "pDif", oc, icms_.pDif, "Percentual do diferimento");
    }
    void vICMSDif(int oc) {
        g_.wCampo(tcDe2, "N16c", "vICMSDif", 1, 15, oc, icms_.vICMSDif, "Valor do ICMS diferido");
    }
    void vICMS(int oc) {
        g_.wCampo(tcDe2, "N17", "vICMS", 1, 15, oc, icms_.vICMS, "Valor do ICMS");
    }
    // The relieved ICMS with its reason; the identifiers depend on the variant.
    void Relief(std::string_view idValue, std::string_view idReason) {
        g_.wCampo(tcDe2, idValue, "vICMSDeson", 1, 15, 1, icms_.vICMSDeson,
                  "Valor do ICMS desonerado");
        g_.wCampo(tcStr, idReason, "motDesICMS", 1, 2, 1, EnumToText(icms_.motDesICMS),
                  "Motivo da desoneracao do ICMS");
    }
    void motDesICMSN28() {
        g_.wCampo(tcStr, "N28", "motDesICMS", 1, 1, 0, EnumToText(icms_.motDesICMS),
                  "Motivo da desoneracao do ICMS");
    }
    // modBCST to vICMSST, as every variant with tax substitution writes them.
    void SubstitutionGroup(bool pMVASTTwoDecimals = false) {
        g_.wCampo(tcStr, "N18", "modBCST", 1, 1, 1, EnumToText(icms_.modBCST),
                  "Modalidade de determinacao da BC do ICMS ST");
        if (pMVASTTwoDecimals) {
            g_.wCampo(tcDe2, "N19", "pMVAST", 1, 5, 0, icms_.pMVAST,
                      "Percentual da margem de valor adicionado do ICMS ST");
        } else {
            rate_.Write(g_, "N19", "pMVAST", 0, icms_.pMVAST,
                        "Percentual da margem de valor adicionado do ICMS ST");
        }
        rate_.Write(g_, "N20", "pRedBCST", 0, icms_.pRedBCST,
                    "Percentual da reducao de BC do ICMS ST");
        g_.wCampo(tcDe2, "N21", "vBCST", 1, 15, 1, icms_.vBCST, "Valor da BC do ICMS ST");
        rate_.Write(g_, "N22", "pICMSST", 1, icms_.pICMSST, "Aliquota do imposto do ICMS ST");
        g_.wCampo(tcDe2, "N23", "vICMSST", 1, 15, 1, icms_.vICMSST, "Valor do ICMS ST");
    }
    // Share of the operation's own state and the state owed the tax substitution.
    void Partition() {
        rate_.Write(g_, "N25", "pBCOp", 1, icms_.pBCOp, "Percentual da BC operacao propria");
        g_.wCampo(tcStr, "N24", "UFST", 2, 2, 1, icms_.UFST, "UF para qual e devido o ICMS ST");
    }
    void Withheld() {
        g_.wCampo(tcDe2, "N26", "vBCSTRet", 1, 15, 1, icms_.vBCSTRet,
                  "Valor da BC do ICMS ST retido");
        g_.wCampo(tcDe2, "N27", "vICMSSTRet", 1, 15, 1, icms_.vICMSSTRet,
                  "Valor do ICMS ST retido");
    }
    void Destination() {
        g_.wCampo(tcDe2, "N31", "vBCSTDest", 1, 15, 1, icms_.vBCSTDest,
                  "Valor da BC do ICMS ST da UF destino");
        g_.wCampo(tcDe2, "N32", "vICMSSTDest", 1, 15, 1, icms_.vICMSSTDest,
                  "Valor do ICMS ST da UF destino");
    }
    void Credit() {
        rate_.Write(g_, "N29", "pCredSN", 1, icms_.pCredSN,
                    "Aliquota aplicavel de calculo do credito");
        g_.wCampo(tcDe2, "N30", "vCredICMSSN", 1, 15, 1, icms_.vCredICMSSN,
                  "Valor credito do ICMS");
    }

private:
    TGerador& g_;
    const TICMS& icms_;
    RateField rate_;
};

struct IcmsGroup {
    std::string_view suffix;
    std::string_view id;
};

IcmsGroup GroupOfCst(TkroCSTIcms cst) {
    using enum TkroCSTIcms;
    switch (cst) {
        case cst00:
            return {"00", "02"};
        case cst10:
            return {"10", "03"};
        case cst20:
            return {"20", "04"};
        case cst30:
            return {"30", "05"};
        case cst40:
        case cst41:
        case cst50:
            return {"40", "06"};
        case cst51:
            return {"51", "07"};
        case cst60:
            return {"60", "08"};
        case cst70:
            return {"70", "09"};
        case cst80:
            return {"80", "10"};
        case cst81:
            return {"81", "11"};
        case cst90:
            return {"90", "12"};
        case cstPart10:
        case cstPart90:
            return {"Part", "10a"};
        case cstRep41:
            return {"ST", "10b"};
        case cst45:
        case cstVazio:
        case cstICMSOutraUF:
        case cstICMSSN:
            break;
    }
    return {"", ""};
}

std::string_view IdOfCsosn(TkroCSOSNIcms csosn) {
    using enum TkroCSOSNIcms;
    switch (csosn) {
        case csosn101:
            return "10c";
        case csosn102:
        case csosn103:
        case csosn300:
        case csosn400:
            return "10d";
        case csosn201:
            return "10e";
        case csosn202:
        case csosn203:
            return "10f";
        case csosn500:
            return "10g";
        case csosn900:
            return "10h";
        case csosnVazio:
            break;
    }
    return "";
}

// The situation-code group, after the document's CST has been adjusted.
void WriteIcmsOfCst(TGerador& g, const TICMS& icms, RateField rate, double versao) {
    using enum TkroCSTIcms;
    const bool layout200 = versao >= 2.0;
    const bool layout300 = versao >= 3.0;
    const bool layout310 = versao >= 3.1;
    const bool relieved = icms.vICMSDeson > kZero;
    const bool partition = !icms.UFST.empty() || !icms.pBCOp.IsZero();
    const IcmsGroup group = GroupOfCst(icms.CST);
    const std::string tag = "ICMS" + std::string(group.suffix);

    IcmsElements element(g, icms, rate);
    g.wGrupo(tag, "N" + std::string(group.id));
    element.orig();
    element.CST();
    switch (icms.CST) {
        case cst00:
            element.modBC(1);
            element.vBC(1);
            element.pICMS(1);
            element.vICMS(1);
            break;
        case cst10:
        case cstPart10: {
            const bool part = partition || icms.CST == cstPart10;
            element.modBC(1);
            element.vBC(1);
            if (part) {
                element.pRedBCTwoDecimals(0);
            }
            element.pICMS(1);
            element.vICMS(1);
            element.SubstitutionGroup();
            if (part) {
                element.Partition();
            }
            break;
        }
        case cst20:
            element.modBC(1);
            element.pRedBC(1);
            element.vBC(1);
            element.pICMS(1);
            element.vICMS(1);
            if (layout310 && relieved) {
                element.Relief("N17a", "N17b");
            }
            break;
        case cst30:
            element.SubstitutionGroup();
            if (layout310 && relieved) {
                element.Relief("N23a", "N23b");
            }
            break;
        case cst40:
        case cst41:
        case cst50:
            if (layout310 && relieved) {
                element.Relief("N13a", "N13b");
            } else {
                element.vICMS(0);
                if (icms.vICMS > kZero) {
                    element.motDesICMSN28();
                }
            }
            break;
        case cst51:
            element.modBC(0);
            element.pRedBC(0);
            element.vBC(0);
            element.pICMS(0);
            element.vICMSOp(0);
            element.pDif(0);
            element.vICMSDif(0);
            element.vICMS(1);
            break;
        case cst60:
            if (!layout200) {
                g.wCampo(tcDe2, "N21", "vBCST", 1, 15, 1, icms.vBCST, "Valor da BC do ICMS ST");
                g.wCampo(tcDe2, "N23", "vICMSST", 1, 15, 1, icms.vICMSST, "Valor do ICMS ST");
            } else if (icms.vBCSTRet > kZero || icms.vICMSSTRet > kZero) {
                element.Withheld();
            }
            break;
        case cst70:
            element.modBC(1);
            element.pRedBC(1);
            element.vBC(1);
            element.pICMS(1);
            element.vICMS(1);
            element.SubstitutionGroup();
            if (layout300 && relieved) {
                element.Relief("N23a", "N23b");
            }
            break;
        case cst90:
        case cstPart90: {
            const bool part = partition || icms.CST == cstPart90;
            if (icms.vBC > kZero || icms.vICMS > kZero) {
                element.modBC(1);
                element.vBC(1);
                element.pRedBC(0);
                element.pICMS(1);
                element.vICMS(1);
            }
            if (icms.vBCST > kZero || icms.vICMSST > kZero) {
                element.SubstitutionGroup(true);
            }
            if (!part && layout310 && relieved) {
                element.Relief("N23a", "N23b");
            }
            if (part) {
                element.Partition();
            }
            break;
        }
        case cstRep41:
            element.Withheld();
            element.Destination();
            break;
        case cst45:
        case cst80:
        case cst81:
        case cstVazio:
        case cstICMSOutraUF:
        case cstICMSSN:
            break;
    }
    g.wGrupo("/" + tag);
}

void WriteIcmsOfCsosn(TGerador& g, const TICMS& icms, RateField rate) {
    using enum TkroCSOSNIcms;
    const std::string tag = "ICMSSN" + CsosnGroupText(icms.CSOSN);

    IcmsElements element(g, icms, rate);
    g.wGrupo(tag, "N" + std::string(IdOfCsosn(icms.CSOSN)));
    element.orig();
    element.CSOSN();
    switch (icms.CSOSN) {
        case csosn101:
            element.Credit();
            break;
        case csosn201:
            element.SubstitutionGroup();
            element.Credit();
            break;
        case csosn202:
        case csosn203:
            element.SubstitutionGroup();
            break;
        case csosn500:
            if (icms.vBCSTRet > kZero || icms.vICMSSTRet > kZero) {
                element.Withheld();
            }
            break;
        case csosn900:
            if (icms.vBC > kZero || icms.vICMS > kZero) {
                element.modBC(1);
                element.vBC(1);
                element.pRedBC(0);
                element.pICMS(1);
                element.vICMS(1);
            }
            if (icms.vBCST > kZero || icms.vICMSST > kZero) {
                element.SubstitutionGroup();
            }
            if (icms.pCredSN > kZero) {
                element.Credit();
            }
            break;
        case csosnVazio:
        case csosn102:
        case csosn103:
        case csosn300:
        case csosn400:
            break;
    }
    g.wGrupo("/" + tag);
}

// PIS and COFINS share one structure under their own names.
struct PisCofinsLayout {
    std::string_view group, id;
    std::string_view idAliq, idQtde, idNT, idOutr;
    std::string_view idCST, idVBC, percentageTag, idPercentage, valueTag, idValue;
    std::string_view idQBCProd, idVAliqProd;
    std::string_view bothWaysAlert;
};

constexpr PisCofinsLayout kPis = {
    .group = "PIS",
    .id = "Q01",
    .idAliq = "Q02",
    .idQtde = "Q03",
    .idNT = "Q04",
    .idOutr = "Q05",
    .idCST = "Q06",
    .idVBC = "Q07",
    .percentageTag = "pPIS",
    .idPercentage = "Q08",
    .valueTag = "vPIS",
    .idValue = "Q09",
    .idQBCProd = "Q10",
    .idVAliqProd = "Q11",
    .bothWaysAlert =
        "As TAG <vBC> e <pPIS> não podem ser informadas em conjunto com as TAG "
        "<qBCProd> e <vAliqProd>",
};

constexpr PisCofinsLayout kCofins = {
    .group = "COFINS",
    .id = "S01",
    .idAliq = "S02",
    .idQtde = "S03",
    .idNT = "S04",
    .idOutr = "S05",
    .idCST = "S06",
    .idVBC = "S07",
    .percentageTag = "pCOFINS",
    .idPercentage = "S08",
    .valueTag = "vCOFINS",
    .idValue = "S11",
    .idQBCProd = "S09",
    .idVAliqProd = "S10",
    .bothWaysAlert =
        "As TAG <vBC> e <pCOFINS> não podem ser informadas em conjunto com as TAG "
        "<qBCProd> e <vAliqProd>",
};

struct PisCofinsValues {
    int cstPosition;  // ordinal of the CST: 0 and 1 are 01 and 02, 2 is 03, 3 to 8 are 04 to 09
    std::string CST;
    Currency vBC, percentage, value, qBCProd, vAliqProd;
};

void WritePisCofins(TGerador& g, const PisCofinsLayout& l, const PisCofinsValues& v, RateField rate,
                    int modelo) {
    const bool notTaxed = v.cstPosition >= 3 && v.cstPosition <= 8;
    // A consumer invoice leaves out a taxed group that has nothing in it.
    if (modelo == 65 && v.vBC.IsZero() && v.percentage.IsZero() && v.value.IsZero() &&
        v.qBCProd.IsZero() && v.vAliqProd.IsZero() && !notTaxed) {
        return;
    }
    const std::string group(l.group);
    const auto cst = [&] {
        g.wCampo(tcStr, l.idCST, "CST", 2, 2, 1, v.CST, "Codigo de situacao tributaria");
    };
    const auto vBC = [&] {
        g.wCampo(tcDe2, l.idVBC, "vBC", 1, 15, 1, v.vBC, "Valor da base de calculo");
    };
    const auto percentage = [&] {
        rate.Write(g, l.idPercentage, l.percentageTag, 1, v.percentage, "Aliquota em percentual");
    };
    const auto value = [&] {
        g.wCampo(tcDe2, l.idValue, l.valueTag, 1, 15, 1, v.value, "Valor do tributo");
    };
    const auto qBCProd = [&] {
        g.wCampo(tcDe4, l.idQBCProd, "qBCProd", 1, 16, 1, v.qBCProd, "Quantidade vendida");
    };
    const auto vAliqProd = [&] {
        g.wCampo(tcDe4, l.idVAliqProd, "vAliqProd", 1, 15, 1, v.vAliqProd, "Aliquota em reais");
    };

    std::string inner;
    g.wGrupo(group, l.id);
    if (v.cstPosition <= 1) {
        inner = group + "Aliq";
        g.wGrupo(inner, l.idAliq);
        cst();
        vBC();
        percentage();
        value();
    } else if (v.cstPosition == 2) {
        inner = group + "Qtde";
        g.wGrupo(inner, l.idQtde);
        cst();
        qBCProd();
        vAliqProd();
        value();
    } else if (notTaxed) {
        inner = group + "NT";
        g.wGrupo(inner, l.idNT);
        cst();
    } else {
        inner = group + "Outr";
        const bool byQuantity = v.qBCProd + v.vAliqProd > kZero;
        if (v.vBC + v.percentage > kZero && byQuantity) {
            g.wAlerta(l.idOutr, inner, "Grupo " + group + " outras operações", l.bothWaysAlert);
        }
        g.wGrupo(inner, l.idOutr);
        cst();
        if (byQuantity) {
            qBCProd();
            vAliqProd();
        } else {
            vBC();
            percentage();
        }
        value();
    }
    g.wGrupo("/" + inner);
    g.wGrupo("/" + group);
}

// PISST and COFINSST: a base with a percentage, or a quantity with an amount per unit.
struct SubstitutionLayout {
    std::string_view group, id;
    std::string_view idVBC, percentageTag, idPercentage, idQBCProd, idVAliqProd, valueTag, idValue;
    std::string_view bothWaysAlert;
};

constexpr SubstitutionLayout kPisST = {
    .group = "PISST",
    .id = "R01",
    .idVBC = "R02",
    .percentageTag = "pPIS",
    .idPercentage = "R03",
    .idQBCProd = "R04",
    .idVAliqProd = "R05",
    .valueTag = "vPIS",
    .idValue = "R06",
    .bothWaysAlert = kPis.bothWaysAlert,
};

constexpr SubstitutionLayout kCofinsST = {
    .group = "COFINSST",
    .id = "T01",
    .idVBC = "T02",
    .percentageTag = "pCOFINS",
    .idPercentage = "T03",
    .idQBCProd = "T04",
    .idVAliqProd = "T05",
    .valueTag = "vCOFINS",
    .idValue = "T06",
    .bothWaysAlert = kCofins.bothWaysAlert,
};

void WriteSubstitution(TGerador& g, const SubstitutionLayout& l, Currency vBC, Currency percentage,
                       Currency qBCProd, Currency vAliqProd, Currency value, RateField rate) {
    if (vBC <= kZero && percentage <= kZero && qBCProd <= kZero && vAliqProd <= kZero &&
        value <= kZero) {
        return;
    }
    const std::string group(l.group);
    const bool byQuantity = qBCProd + vAliqProd > kZero;
    if (vBC + percentage > kZero && byQuantity) {
        g.wAlerta(l.id, group, "Grupo " + group, l.bothWaysAlert);
    }
    g.wGrupo(group, l.id);
    if (byQuantity) {
        g.wCampo(tcDe4, l.idQBCProd, "qBCProd", 1, 16, 1, qBCProd, "Quantidade vendida");
        g.wCampo(tcDe4, l.idVAliqProd, "vAliqProd", 1, 15, 1, vAliqProd, "Aliquota em reais");
    } else {
        g.wCampo(tcDe2, l.idVBC, "vBC", 1, 15, 1, vBC, "Valor da base de calculo");
        rate.Write(g, l.idPercentage, l.percentageTag, 1, percentage, "Aliquota em percentual");
    }
    g.wCampo(tcDe2, l.idValue, l.valueTag, 1, 15, 1, value, "Valor do tributo");
    g.wGrupo("/" + group);
}

}  // namespace

void TNFeW::GerarDetImposto(int i) {
    const TImposto& imposto = NFe.Det[i].Imposto;
    const double versao = NFe.infNFe.Versao();
    // An item of services carries ISSQN in place of ICMS and the import tax.
    const bool service = imposto.ISSQN.cSitTrib != TkroISSQNcSitTrib::ISSQNcSitTribVazio ||
                         (versao > 3.0 && !imposto.ISSQN.cListServ.empty());

    Gerador.wGrupo("imposto", "M01");
    Gerador.wCampo(tcDe2, "M02", "vTotTrib", 1, 15, 0, imposto.vTotTrib,
                   "Valor aproximado total de tributos");
    if (service) {
        if (versao >= 3.0) {
            GerarDetImpostoIPI(i);
        }
        GerarDetImpostoISSQN(i);
    } else {
        GerarDetImpostoICMS(i);
        GerarDetImpostoIPI(i);
        GerarDetImpostoII(i);
    }
    GerarDetImpostoPIS(i);
    GerarDetImpostoPISST(i);
    GerarDetImpostoCOFINS(i);
    GerarDetImpostoCOFINSST(i);
    Gerador.wGrupo("/imposto");
}

void TNFeW::GerarDetImpostoICMS(int i) {
    TICMS& icms = NFe.Det[i].Imposto.ICMS;
    const RateField rate(Usar_tcDe4);

    Gerador.wGrupo("ICMS", "N01");
    if (NFe.Emit.CRT == TkroCRT::crtSimplesNacional) {
        WriteIcmsOfCsosn(Gerador, icms, rate);
    } else {
        // The page shows only the two-digit code; the values tell the retained and the
        // partition groups apart, and the document keeps what was written.
        using enum TkroCSTIcms;
        const bool withheld = !icms.vBCSTRet.IsZero() || !icms.vICMSSTRet.IsZero() ||
                              !icms.vBCSTDest.IsZero() || !icms.vICMSSTDest.IsZero();
        const bool partition = !icms.UFST.empty() || !icms.pBCOp.IsZero();
        if (icms.CST == cst41 && withheld) {
            icms.CST = cstRep41;
        }
        if (icms.CST == cst10 && partition) {
            icms.CST = cstPart10;
        }
        if (icms.CST == cst90 && partition) {
            icms.CST = cstPart90;
        }
        WriteIcmsOfCst(Gerador, icms, rate, NFe.infNFe.Versao());
    }
    Gerador.wGrupo("/ICMS");
}

void TNFeW::GerarDetImpostoIPI(int i) {
    TIPI& ipi = NFe.Det[i].Imposto.IPI;
    using enum TkroCstIpi;
    const bool taxed = ipi.CST == ipi00 || ipi.CST == ipi49 || ipi.CST == ipi50 || ipi.CST == ipi99;
    if (!Opcoes.GerarTagIPIparaNaoTributado && !taxed) {
        return;
    }
    if (ipi.cEnq.empty() && ipi.CST == ipi00 && ipi.vBC.IsZero() && ipi.qUnid.IsZero() &&
        ipi.vUnid.IsZero() && ipi.pIPI.IsZero() && ipi.vIPI.IsZero()) {
        return;
    }

    Gerador.wGrupo("IPI", "O01");
    Gerador.wCampo(tcStr, "O02", "clEnq", 1, 5, 0, ipi.clEnq, "Classe de enquadramento do IPI");
    Gerador.wCampo(tcStr, "O03", "CNPJProd", 14, 14, 0, ipi.CNPJProd, "CNPJ do produtor");
    Gerador.wCampo(tcStr, "O04", "cSelo", 1, 60, 0, ipi.cSelo, "Codigo do selo de controle");
    Gerador.wCampo(tcInt, "O05", "qSelo", 1, 12, 0, ipi.qSelo, "Quantidade de selo de controle");
    // "999" is the framing code of operations without a specific one.
    if (ipi.cEnq.empty()) {
        ipi.cEnq = "999";
    }
    Gerador.wCampo(tcStr, "O06", "cEnq", 3, 3, 1, ipi.cEnq, "Codigo de enquadramento legal do IPI");
    if (taxed) {
        const bool byUnit = ipi.qUnid + ipi.vUnid > kZero;
        if (ipi.vBC + ipi.pIPI > kZero && byUnit) {
            Gerador.wAlerta("O07", "IPITrib", "IPI Tributável",
                            "As TAG <vBC> e <pIPI> não podem ser informadas em conjunto com as "
                            "TAG <qUnid> e <vUnid>");
        }
        Gerador.wGrupo("IPITrib", "O07");
        Gerador.wCampo(tcStr, "O09", "CST", 2, 2, 1, EnumToText(ipi.CST),
                       "Codigo da situacao tributaria do IPI");
        if (byUnit) {
            Gerador.wCampo(tcDe4, "O11", "qUnid", 1, 16, 1, ipi.qUnid,
                           "Quantidade total na unidade padrao");
            Gerador.wCampo(tcDe4, "O12", "vUnid", 1, 15, 1, ipi.vUnid,
                           "Valor por unidade tributavel");
        } else {
            Gerador.wCampo(tcDe2, "O10", "vBC", 1, 15, 1, ipi.vBC, "Valor da BC do IPI");
            RateField(Usar_tcDe4).Write(Gerador, "O13", "pIPI", 1, ipi.pIPI, "Aliquota do IPI");
        }
        Gerador.wCampo(tcDe2, "O14", "vIPI", 1, 15, 1, ipi.vIPI, "Valor do IPI");
        Gerador.wGrupo("/IPITrib");
    } else {
        Gerador.wGrupo("IPINT", "O08");
        Gerador.wCampo(tcStr, "O09", "CST", 2, 2, 1, EnumToText(ipi.CST),
                       "Codigo da situacao tributaria do IPI");
        Gerador.wGrupo("/IPINT");
    }
    Gerador.wGrupo("/IPI");
}

void TNFeW::GerarDetImpostoII(int i) {
    const TII& ii = NFe.Det[i].Imposto.II;
    // An import (CFOP beginning with 3) always declares the import tax, zero or not.
    const bool imported = NFe.Det[i].Prod.CFOP.starts_with('3');
    if (ii.vBc <= kZero && ii.vDespAdu <= kZero && ii.vII <= kZero && ii.vIOF <= kZero &&
        !imported) {
        return;
    }
    Gerador.wGrupo("II", "P01");
    Gerador.wCampo(tcDe2, "P02", "vBC", 1, 15, 1, ii.vBc, "Valor BC do imposto de importacao");
    Gerador.wCampo(tcDe2, "P03", "vDespAdu", 1, 15, 1, ii.vDespAdu, "Valor despesas aduaneiras");
    Gerador.wCampo(tcDe2, "P04", "vII", 1, 15, 1, ii.vII, "Valor do imposto de importacao");
    Gerador.wCampo(tcDe2, "P05", "vIOF", 1, 15, 1, ii.vIOF, "Valor do IOF");
    Gerador.wGrupo("/II");
}

void TNFeW::GerarDetImpostoPIS(int i) {
    const TPIS& pis = NFe.Det[i].Imposto.PIS;
    WritePisCofins(Gerador, kPis,
                   {static_cast<int>(pis.CST), EnumToText(pis.CST), pis.vBC, pis.pPIS, pis.vPIS,
                    pis.qBCProd, pis.vAliqProd},
                   RateField(Usar_tcDe4), NFe.Ide.modelo);
}

void TNFeW::GerarDetImpostoPISST(int i) {
    const TPISST& st = NFe.Det[i].Imposto.PISST;
    WriteSubstitution(Gerador, kPisST, st.vBc, st.pPis, st.qBCProd, st.vAliqProd, st.vPIS,
                      RateField(Usar_tcDe4));
}

void TNFeW::GerarDetImpostoCOFINS(int i) {
    const TCOFINS& cofins = NFe.Det[i].Imposto.COFINS;
    WritePisCofins(Gerador, kCofins,
                   {static_cast<int>(cofins.CST), EnumToText(cofins.CST), cofins.vBC,
                    cofins.pCOFINS, cofins.vCOFINS, cofins.qBCProd, cofins.vAliqProd},
                   RateField(Usar_tcDe4), NFe.Ide.modelo);
}

void TNFeW::GerarDetImpostoCOFINSST(int i) {
    const TCOFINSST& st = NFe.Det[i].Imposto.COFINSST;
    WriteSubstitution(Gerador, kCofinsST, st.vBC, st.pCOFINS, st.qBCProd, st.vAliqProd, st.vCOFINS,
                      RateField(Usar_tcDe4));
}

void TNFeW::GerarDetImpostoISSQN(int i) {
    const TISSQN& issqn = NFe.Det[i].Imposto.ISSQN;
    const bool layout310 = NFe.infNFe.Versao() >= 3.1;

    Gerador.wGrupo("ISSQN", "U01");
    Gerador.wCampo(tcDe2, "U02", "vBC", 1, 15, 1, issqn.vBC, "Valor da BC do ISSQN");
    RateField(Usar_tcDe4).Write(Gerador, "U03", "vAliq", 1, issqn.vAliq, "Aliquota do ISSQN");
    Gerador.wCampo(tcDe2, "U04", "vISSQN", 1, 15, 1, issqn.vISSQN, "Valor do ISSQN");
    Gerador.wCampo(tcInt, "U05", "cMunFG", 7, 7, 1, issqn.cMunFG,
                   "Municipio de ocorrencia do fato gerador do ISSQN");
    if (!layout310) {
        Gerador.wCampo(tcStr, "U06", "cListServ", 3, 4, 1, issqn.cListServ,
                       "Item da lista de servicos");
        Gerador.wCampo(tcStr, "U07", "cSitTrib", 1, 1, 1, EnumToText(issqn.cSitTrib),
                       "Codigo de tributacao do ISSQN");
    } else {
        Gerador.wCampo(tcStr, "U06", "cListServ", 5, 5, 1, issqn.cListServ,
                       "Item da lista de servicos");
        Gerador.wCampo(tcDe2, "U07", "vDeducao", 1, 15, 0, issqn.vDeducao,
                       "Valor deducao para reducao da BC");
        Gerador.wCampo(tcDe2, "U08", "vOutro", 1, 15, 0, issqn.vOutro, "Valor outras retencoes");
        Gerador.wCampo(tcDe2, "U09", "vDescIncond", 1, 15, 0, issqn.vDescIncond,
                       "Valor desconto incondicionado");
        Gerador.wCampo(tcDe2, "U10", "vDescCond", 1, 15, 0, issqn.vDescCond,
                       "Valor desconto condicionado");
        Gerador.wCampo(tcDe2, "U11", "vISSRet", 1, 15, 0, issqn.vISSRet, "Valor retencao ISS");
        Gerador.wCampo(tcStr, "U12", "indISS", 1, 1, 1, EnumToText(issqn.indISS),
                       "Indicador da exigibilidade do ISS");
        Gerador.wCampo(tcStr, "U13", "cServico", 1, 20, 0, issqn.cServico,
                       "Codigo do servico prestado dentro do municipio");
        Gerador.wCampo(tcInt, "U14", "cMun", 7, 7, 0, issqn.cMun,
                       "Codigo do municipio de incidencia do imposto");
        Gerador.wCampo(tcInt, "U15", "cPais", 4, 4, 0, issqn.cPais, "Codigo do pais");
        Gerador.wCampo(tcStr, "U16", "nProcesso", 1, 30, 0, issqn.nProcesso,
                       "Numero do processo judicial ou administrativo");
        Gerador.wCampo(tcStr, "U17", "indIncentivo", 1, 1, 1, EnumToText(issqn.indIncentivo),
                       "Indicador de incentivo fiscal");
    }
    Gerador.wGrupo("/ISSQN");
}

}  // namespace nfe
