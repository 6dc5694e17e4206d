#pragma once

#include <string>

#include "nfe/collection.h"
#include "nfe/model/enums.h"

namespace nfe {

// Free field for the taxpayer.
struct TobsContCollectionItem {
    std::string xCampo;
    std::string xTexto;

    bool operator==(const TobsContCollectionItem&) const = default;
};

using TobsContCollection = TCollection<TobsContCollectionItem>;

// Free field for the tax authority.
struct TobsFiscoCollectionItem {
    std::string xCampo;
    std::string xTexto;

    bool operator==(const TobsFiscoCollectionItem&) const = default;
};

using TobsFiscoCollection = TCollection<TobsFiscoCollectionItem>;

// Referenced process.
struct TprocRefCollectionItem {
    std::string nProc;
    TkroIndicadorProcesso indProc{};

    bool operator==(const TprocRefCollectionItem&) const = default;
};

using TprocRefCollection = TCollection<TprocRefCollectionItem>;

struct TInfAdic {
    std::string infAdFisco;  // for the tax authority
    std::string infCpl;      // for the taxpayer
    TobsContCollection obsCont;
    TobsFiscoCollection obsFisco;
    TprocRefCollection procRef;

    bool operator==(const TInfAdic&) const = default;
};

}  // namespace nfe
