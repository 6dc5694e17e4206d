#pragma once

#include <string>

#include "nfe/currency.h"
#include "nfe/model/enums.h"

namespace nfe {

struct TICMS {
    TkroOrigemMercadoria orig{};
    TkroCSTIcms CST{};
    TkroCSOSNIcms CSOSN{};
    TkroDeterminacaoBaseIcms modBC{};
    Currency pRedBC;
    Currency vBC;
    Currency pICMS;
    Currency vICMS;
    TkroDeterminacaoBaseIcmsST modBCST{};
    Currency pMVAST;
    Currency pRedBCST;
    Currency vBCST;
    Currency pICMSST;
    Currency vICMSST;
    std::string UFST;
    Currency pBCOp;
    Currency vBCSTRet;
    Currency vICMSSTRet;
    TkroMotivoDesoneracaoICMS motDesICMS{};
    Currency pCredSN;
    Currency vCredICMSSN;
    Currency vBCSTDest;
    Currency vICMSSTDest;
    Currency vICMSDeson;
    Currency vICMSOp;
    Currency pDif;
    Currency vICMSDif;

    bool operator==(const TICMS&) const = default;
};

struct TIPI {
    std::string clEnq;
    std::string CNPJProd;
    std::string cSelo;
    int qSelo = 0;
    std::string cEnq;
    TkroCstIpi CST{};
    Currency vBC;
    Currency qUnid;
    Currency vUnid;
    Currency pIPI;
    Currency vIPI;

    bool operator==(const TIPI&) const = default;
};

// Import tax.
struct TII {
    Currency vBc;
    Currency vDespAdu;
    Currency vII;
    Currency vIOF;

    bool operator==(const TII&) const = default;
};

struct TPIS {
    TkroCstPis CST{};
    Currency vBC;
    Currency pPIS;
    Currency vPIS;
    Currency qBCProd;
    Currency vAliqProd;

    bool operator==(const TPIS&) const = default;
};

struct TPISST {
    Currency vBc;
    Currency pPis;
    Currency qBCProd;
    Currency vAliqProd;
    Currency vPIS;

    bool operator==(const TPISST&) const = default;
};

struct TCOFINS {
    TkroCstCofins CST{};
    Currency vBC;
    Currency pCOFINS;
    Currency vCOFINS;
    Currency vBCProd;
    Currency vAliqProd;
    Currency qBCProd;

    bool operator==(const TCOFINS&) const = default;
};

struct TCOFINSST {
    Currency vBC;
    Currency pCOFINS;
    Currency qBCProd;
    Currency vAliqProd;
    Currency vCOFINS;

    bool operator==(const TCOFINSST&) const = default;
};

// Service tax.
struct TISSQN {
    Currency vBC;
    Currency vAliq;
    Currency vISSQN;
    int cMunFG = 0;
    std::string cListServ;
    TkroISSQNcSitTrib cSitTrib{};
    Currency vDeducao;
    Currency vOutro;
    Currency vDescIncond;
    Currency vDescCond;
    TkroindISSRet indISSRet{};
    Currency vISSRet;
    TkroindISS indISS{};
    std::string cServico;
    int cMun = 0;
    int cPais = 0;
    std::string nProcesso;
    TkroindIncentivo indIncentivo{};

    bool operator==(const TISSQN&) const = default;
};

// All taxes of one item.
struct TImposto {
    Currency vTotTrib;
    TICMS ICMS;
    TIPI IPI;
    TII II;
    TPIS PIS;
    TPISST PISST;
    TCOFINS COFINS;
    TCOFINSST COFINSST;
    TISSQN ISSQN;

    bool operator==(const TImposto&) const = default;
};

}  // namespace nfe
