#pragma once

#include "nfe/currency.h"
#include "nfe/date_time.h"
#include "nfe/model/enums.h"

namespace nfe {

// ICMS totals and the totals of the document.
struct TICMSTot {
    Currency vBC;
    Currency vICMS;
    Currency vICMSDeson;
    Currency vBCST;
    Currency vST;
    Currency vProd;
    Currency vFrete;
    Currency vSeg;
    Currency vDesc;
    Currency vII;
    Currency vIPI;
    Currency vPIS;
    Currency vCOFINS;
    Currency vOutro;
    Currency vNF;
    Currency vTotTrib;

    bool operator==(const TICMSTot&) const = default;
};

// Service-tax totals.
struct TISSQNtot {
    Currency vServ;
    Currency vBC;
    Currency vISS;
    Currency vPIS;
    Currency vCOFINS;
    TDateTime dCompet = 0;
    Currency vDeducao;
    Currency vOutro;
    Currency vDescIncond;
    Currency vDescCond;
    Currency vISSRet;
    TkroRegTribISSQN cRegTrib{};

    bool operator==(const TISSQNtot&) const = default;
};

// Retained federal taxes.
struct TretTrib {
    Currency vRetPIS;
    Currency vRetCOFINS;
    Currency vRetCSLL;
    Currency vBCIRRF;
    Currency vIRRF;
    Currency vBCRetPrev;
    Currency vRetPrev;

    bool operator==(const TretTrib&) const = default;
};

struct TTotal {
    TICMSTot ICMSTot;
    TISSQNtot ISSQNtot;
    TretTrib retTrib;

    bool operator==(const TTotal&) const = default;
};

}  // namespace nfe
