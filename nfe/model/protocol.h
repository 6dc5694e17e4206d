#pragma once

#include <string>

#include "nfe/date_time.h"
#include "nfe/model/enums.h"

namespace nfe {

// Values of the digital signature.
struct TSignature {
    std::string URI;
    std::string DigestValue;
    std::string SignatureValue;
    std::string X509Certificate;

    bool operator==(const TSignature&) const = default;
};

// Authorization protocol. An empty nProt means that the document has none.
struct TProcNFe {
    TkroTipoAmbiente tpAmb{};
    std::string verAplic;
    std::string chNFe;
    TDateTime dhRecbto = 0;
    std::string nProt;
    std::string digVal;
    int cStat = 0;
    std::string xMotivo;
    std::string Versao;  // not written
    // File paths that the writer does not use.
    std::string PathNFe;
    std::string PathRetConsReciNFe;
    std::string PathRetConsSitNFe;

    bool operator==(const TProcNFe&) const = default;
};

}  // namespace nfe
