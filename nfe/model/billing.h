#pragma once

#include <string>

#include "nfe/collection.h"
#include "nfe/currency.h"
#include "nfe/date_time.h"
#include "nfe/model/enums.h"

namespace nfe {

// Invoice: value before discount, discount and net value.
struct TFat {
    std::string nFat;
    Currency vOrig;
    Currency vDesc;
    Currency vLiq;

    bool operator==(const TFat&) const = default;
};

// Instalment.
struct TDupCollectionItem {
    std::string nDup;
    TDateTime dVenc = 0;
    Currency vDup;

    bool operator==(const TDupCollectionItem&) const = default;
};

using TDupCollection = TCollection<TDupCollectionItem>;

struct TCobr {
    TFat Fat;
    TDupCollection Dup;

    bool operator==(const TCobr&) const = default;
};

// Payment.
struct TpagCollectionItem {
    TkroFormaPagamento tPag{};
    Currency vPag;
    std::string CNPJ;  // card operator
    TkroBandeiraCartao tBand{};
    std::string cAut;

    bool operator==(const TpagCollectionItem&) const = default;
};

using TpagCollection = TCollection<TpagCollectionItem>;

}  // namespace nfe
