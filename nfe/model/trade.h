#pragma once

#include <string>

#include "nfe/collection.h"
#include "nfe/currency.h"

namespace nfe {

// Export data.
struct TExporta {
    std::string UFembarq;
    std::string xLocEmbarq;
    std::string UFSaidaPais;
    std::string xLocExporta;
    std::string xLocDespacho;

    bool operator==(const TExporta&) const = default;
};

// Purchase data.
struct TCompra {
    std::string xNEmp;
    std::string xPed;
    std::string xCont;

    bool operator==(const TCompra&) const = default;
};

// Daily supply of sugar cane.
struct TForDiaCollectionItem {
    int dia = 0;
    Currency qtde;

    bool operator==(const TForDiaCollectionItem&) const = default;
};

using TForDiaCollection = TCollection<TForDiaCollectionItem>;

// Deduction on the sugar-cane supply.
struct TDeducCollectionItem {
    std::string xDed;
    Currency vDed;

    bool operator==(const TDeducCollectionItem&) const = default;
};

using TDeducCollection = TCollection<TDeducCollectionItem>;

// Sugar-cane supply.
struct TCana {
    std::string safra;
    std::string ref;
    TForDiaCollection fordia;
    double qTotMes = 0;
    double qTotAnt = 0;
    double qTotGer = 0;
    TDeducCollection deduc;
    Currency vFor;
    Currency vTotDed;
    Currency vLiqFor;

    bool operator==(const TCana&) const = default;
};

}  // namespace nfe
