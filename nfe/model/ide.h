#pragma once

#include <string>

#include "nfe/collection.h"
#include "nfe/date_time.h"
#include "nfe/model/enums.h"

namespace nfe {

// Referenced model 1/1A note.
struct TRefNF {
    int cUF = 0;
    std::string AAMM;
    std::string CNPJ;
    int modelo = 0;
    int serie = 0;
    int nNF = 0;

    bool operator==(const TRefNF&) const = default;
};

// Referenced producer's note.
struct TRefNFP {
    int cUF = 0;
    std::string AAMM;
    std::string CNPJCPF;
    std::string IE;
    std::string modelo;
    int serie = 0;
    int nNF = 0;

    bool operator==(const TRefNFP&) const = default;
};

// Referenced fiscal-printer coupon.
struct TRefECF {
    TkroECFModRef modelo{};
    std::string nECF;
    std::string nCOO;

    bool operator==(const TRefECF&) const = default;
};

struct TNFrefCollectionItem {
    std::string refNFe;
    std::string refCTe;
    TRefNF RefNF;
    TRefNFP RefNFP;
    TRefECF RefECF;

    bool operator==(const TNFrefCollectionItem&) const = default;
};

using TNFrefCollection = TCollection<TNFrefCollectionItem>;

// Header of the document.
struct TIde {
    int cUF = 0;
    int cNF = 0;  // written back by the writer
    std::string natOp;
    TkroIndicadorPagamento indPag{};
    int modelo = 0;
    int serie = 0;
    int nNF = 0;
    TDateTime dEmi = 0;
    TDateTime dSaiEnt = 0;
    TDateTime hSaiEnt = 0;
    TkroTipoNFe tpNF{};
    TkroDestinoOperacao idDest{};
    int cMunFG = 0;
    TNFrefCollection NFref;
    TRefNFP refNFP;  // kept beside NFref, never written
    TkroTipoImpressao tpImp{};
    TkroTipoEmissao tpEmis{};
    int cDV = 0;  // written back by the writer
    TkroTipoAmbiente tpAmb{};
    TkroFinalidadeNFe finNFe{};
    TkroConsumidorFinal indFinal{};
    TkroPresencaComprador indPres{};
    TkroProcessoEmissao procEmi{};
    std::string verProc;
    TDateTime dhCont = 0;
    std::string xJust;

    bool operator==(const TIde&) const = default;
};

}  // namespace nfe
