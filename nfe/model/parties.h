#pragma once

#include <string>

#include "nfe/collection.h"
#include "nfe/currency.h"
#include "nfe/date_time.h"
#include "nfe/model/enums.h"
#include "nfe/place_codes.h"

namespace nfe {

// The address of a party: the issuer's EnderEmit and the recipient's EnderDest.
struct Address {
    std::string xLgr;
    std::string nro = "SEM NUMERO";
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    std::string UF;
    int CEP = 0;
    int cPais = kBrazilCountryCode;
    std::string xPais = "BRASIL";
    std::string fone;

    bool operator==(const Address&) const = default;
};
using TenderEmit = Address;
using TenderDest = Address;

struct TEmit {
    std::string CNPJCPF;
    std::string xNome;
    std::string xFant;
    TenderEmit EnderEmit;
    std::string IE;
    std::string IEST;
    std::string IM;
    std::string CNAE;
    TkroCRT CRT = TkroCRT::crtRegimeNormal;

    bool operator==(const TEmit&) const = default;
};

// Tax office that issued a separate ("avulsa") note.
struct TAvulsa {
    std::string CNPJ;
    std::string xOrgao;
    std::string matr;
    std::string xAgente;
    std::string fone;
    std::string UF;
    std::string nDAR;
    TDateTime dEmi = 0;
    Currency vDAR;
    std::string repEmi;
    TDateTime dPag = 0;

    bool operator==(const TAvulsa&) const = default;
};

struct TDest {
    std::string CNPJCPF;
    std::string idEstrangeiro;
    std::string xNome;
    TenderDest EnderDest;
    TkroindIEDest indIEDest{};
    std::string IE;
    std::string ISUF;
    std::string IM;
    std::string Email;

    bool operator==(const TDest&) const = default;
};

// Pick-up place.
struct TRetirada {
    std::string CNPJCPF;
    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    std::string UF;

    bool operator==(const TRetirada&) const = default;
};

// Delivery place.
struct TEntrega {
    std::string CNPJCPF;
    std::string xLgr;
    std::string nro;
    std::string xCpl;
    std::string xBairro;
    int cMun = 0;
    std::string xMun;
    std::string UF;

    bool operator==(const TEntrega&) const = default;
};

// A party authorised to obtain the XML.
struct TautXMLCollectionItem {
    std::string CNPJCPF;

    bool operator==(const TautXMLCollectionItem&) const = default;
};

using TautXMLCollection = TCollection<TautXMLCollectionItem>;

}  // namespace nfe
