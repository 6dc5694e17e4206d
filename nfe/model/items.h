#pragma once

#include <string>

#include "nfe/collection.h"
#include "nfe/currency.h"
#include "nfe/date_time.h"
#include "nfe/model/enums.h"
#include "nfe/model/taxes.h"

namespace nfe {

// Extended nomenclature code of the item.
struct TNVECollectionItem {
    std::string NVE;

    bool operator==(const TNVECollectionItem&) const = default;
};

using TNVECollection = TCollection<TNVECollectionItem>;

// Addition of an import declaration.
struct TAdiCollectionItem {
    int nAdicao = 0;
    int nSeqAdi = 0;
    std::string cFabricante;
    Currency vDescDI;
    std::string nDraw;

    bool operator==(const TAdiCollectionItem&) const = default;
};

using TAdiCollection = TCollection<TAdiCollectionItem>;

// Import declaration.
struct TDICollectionItem {
    std::string nDi;
    TDateTime dDi = 0;
    std::string xLocDesemb;
    std::string UFDesemb;
    TDateTime dDesemb = 0;
    TkroTipoViaTransp tpViaTransp{};
    Currency vAFRMM;
    TkroTipoIntermedio tpIntermedio{};
    std::string CNPJ;
    std::string UFTerceiro;
    std::string cExportador;
    TAdiCollection adi;

    bool operator==(const TDICollectionItem&) const = default;
};

using TDICollection = TCollection<TDICollectionItem>;

struct TdetExportCollectionItem {
    std::string nDraw;
    std::string nRE;
    std::string chNFe;
    Currency qExport;

    bool operator==(const TdetExportCollectionItem&) const = default;
};

using TdetExportCollection = TCollection<TdetExportCollectionItem>;

// New vehicle.
struct TveicProd {
    TkroTipoOperacao tpOP{};
    std::string chassi;
    std::string cCor;
    std::string xCor;
    std::string pot;
    std::string Cilin;
    std::string pesoL;
    std::string pesoB;
    std::string nSerie;
    std::string tpComb;
    // The fuel code with its label ("07 - ELETRICO/FONTE EXTERNA"); tpComb itself when the
    // code is not one of the known fuels.
    std::string CombDescricao() const;
    std::string nMotor;
    std::string CMT;
    std::string dist;
    int anoMod = 0;
    int anoFab = 0;
    std::string tpPint;
    int tpVeic = 0;
    int espVeic = 0;
    std::string VIN;
    TkroCondicaoVeiculo condVeic{};
    std::string cMod;
    std::string cCorDENATRAN;
    int lota = 0;
    int tpRest = 0;

    bool operator==(const TveicProd&) const = default;
};

// Medicine batch.
struct TmedCollectionItem {
    std::string nLote;
    Currency qLote;
    TDateTime dFab = 0;
    TDateTime dVal = 0;
    Currency vPMC;

    bool operator==(const TmedCollectionItem&) const = default;
};

using TmedCollection = TCollection<TmedCollectionItem>;

// Weapon.
struct TarmaCollectionItem {
    TkroTipoArma tpArma{};
    std::string nSerie;
    std::string nCano;
    std::string descr;

    bool operator==(const TarmaCollectionItem&) const = default;
};

using TarmaCollection = TCollection<TarmaCollectionItem>;

// Fuel contribution (CIDE).
struct TCIDE {
    Currency qBCProd;
    Currency vAliqProd;
    Currency vCIDE;

    bool operator==(const TCIDE&) const = default;
};

struct TICMSComb {
    Currency vBCICMS;
    Currency vICMS;
    Currency vBCICMSST;
    Currency vICMSST;

    bool operator==(const TICMSComb&) const = default;
};

struct TICMSInter {
    Currency vBCICMSSTDest;
    Currency vICMSSTDest;

    bool operator==(const TICMSInter&) const = default;
};

struct TICMSCons {
    Currency vBCICMSSTCons;
    Currency vICMSSTCons;
    std::string UFcons;

    bool operator==(const TICMSCons&) const = default;
};

// Fuel.
struct TComb {
    int cProdANP = 0;
    Currency pMixGN;
    std::string CODIF;
    Currency qTemp;
    std::string UFcons;
    TCIDE CIDE;
    TICMSComb ICMS;
    TICMSInter ICMSInter;
    TICMSCons ICMSCons;

    bool operator==(const TComb&) const = default;
};

// Product data of an item.
struct TProd {
    std::string cProd;
    int nItem = 0;
    std::string cEAN;
    std::string xProd;
    std::string NCM;
    TNVECollection NVE;
    std::string EXTIPI;
    std::string CFOP;
    std::string uCom;
    Currency qCom;
    double vUnCom = 0;
    Currency vProd;
    std::string cEANTrib;
    std::string uTrib;
    Currency qTrib;
    double vUnTrib = 0;
    Currency vFrete;
    Currency vSeg;
    Currency vDesc;
    Currency vOutro;
    TkroIndicadorTotal IndTot{};
    TDICollection DI;
    std::string xPed;
    int nItemPed = 0;
    TdetExportCollection detExport;
    TveicProd veicProd;
    TmedCollection med;
    TarmaCollection arma;
    TComb comb;
    std::string nRECOPI;
    std::string nFCI;

    bool operator==(const TProd&) const = default;
};

// One item of the document.
struct TDetCollectionItem {
    TProd Prod;
    TImposto Imposto;
    Currency pDevol;
    Currency vIPIDevol;
    std::string infAdProd;

    bool operator==(const TDetCollectionItem&) const = default;
};

using TDetCollection = TCollection<TDetCollectionItem>;

}  // namespace nfe
