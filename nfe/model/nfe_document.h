#pragma once

#include "nfe/collection.h"
#include "nfe/model/additional_info.h"
#include "nfe/model/billing.h"
#include "nfe/model/ide.h"
#include "nfe/model/inf_nfe.h"
#include "nfe/model/items.h"
#include "nfe/model/parties.h"
#include "nfe/model/protocol.h"
#include "nfe/model/totals.h"
#include "nfe/model/trade.h"
#include "nfe/model/transport.h"

namespace nfe {

// The NF-e document. A new one holds zeros, empty texts and first enumeration values, apart
// from the Brazilian address defaults and the normal tax regime of the issuer. Copying
// copies the whole tree.
struct TNFe {
    TInfNFe infNFe;
    TIde Ide;
    TEmit Emit;
    TAvulsa Avulsa;
    TDest Dest;
    TRetirada Retirada;
    TEntrega Entrega;
    TautXMLCollection autXML;
    TDetCollection Det;
    TTotal Total;
    TTransp Transp;
    TCobr Cobr;
    TpagCollection pag;
    TInfAdic InfAdic;
    TExporta exporta;
    TCompra compra;
    TCana cana;
    TSignature signature;
    TProcNFe procNFe;

    bool operator==(const TNFe&) const = default;
};

}  // namespace nfe
