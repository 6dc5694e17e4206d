#pragma once

#include <string>

#include "nfe/collection.h"
#include "nfe/currency.h"
#include "nfe/model/enums.h"

namespace nfe {

// Carrier.
struct TTransporta {
    std::string CNPJCPF;
    std::string xNome;
    std::string IE;
    std::string xEnder;
    std::string xMun;
    std::string UF;

    bool operator==(const TTransporta&) const = default;
};

// ICMS retained on the transport.
struct TretTransp {
    Currency vServ;
    Currency vBCRet;
    Currency pICMSRet;
    Currency vICMSRet;
    std::string CFOP;
    int cMunFG = 0;

    bool operator==(const TretTransp&) const = default;
};

struct TveicTransp {
    std::string placa;
    std::string UF;
    std::string RNTC;

    bool operator==(const TveicTransp&) const = default;
};

// Seal of a volume.
struct TLacresCollectionItem {
    std::string nLacre;

    bool operator==(const TLacresCollectionItem&) const = default;
};

using TLacresCollection = TCollection<TLacresCollectionItem>;

struct TVolCollectionItem {
    int qVol = 0;
    std::string esp;
    std::string marca;
    std::string nVol;
    Currency pesoL;
    Currency pesoB;
    TLacresCollection Lacres;

    bool operator==(const TVolCollectionItem&) const = default;
};

using TVolCollection = TCollection<TVolCollectionItem>;

// Trailer.
struct TreboqueCollectionItem {
    std::string placa;
    std::string UF;
    std::string RNTC;

    bool operator==(const TreboqueCollectionItem&) const = default;
};

using TreboqueCollection = TCollection<TreboqueCollectionItem>;

struct TTransp {
    TkroModalidadeFrete modFrete{};
    TTransporta Transporta;
    TretTransp retTransp;
    TveicTransp veicTransp;
    TVolCollection Vol;
    TreboqueCollection Reboque;
    std::string vagao;
    std::string balsa;

    bool operator==(const TTransp&) const = default;
};

}  // namespace nfe
