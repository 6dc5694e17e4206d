#include <string>

#include "nfe/access_key.h"
#include "nfe/code_tables.h"
#include "nfe/nfe_writer.h"

namespace nfe {

void TNFeW::GerarDet() {
    const double versao = NFe.infNFe.Versao();
    for (const TDetCollectionItem& det : NFe.Det) {
        const TProd& prod = det.Prod;
        Gerador.wGrupo("det nItem=\"" + std::to_string(prod.nItem) + "\"", "H01");
        Gerador.wGrupo("prod", "I01");
        Gerador.wCampo(tcStr, "I02", "cProd", 1, 60, 1, prod.cProd, "Codigo do produto");
        Gerador.wCampo(tcStr, "I03", "cEAN", 0, 14, 1, prod.cEAN, "GTIN do produto");
        Gerador.wCampo(tcStr, "I04", "xProd", 1, 120, 1, prod.xProd, "Descricao do produto");
        Gerador.wCampo(tcStr, "I05", "NCM", 2, 8, versao >= 2.0 ? 1 : 0, prod.NCM, "NCM");
        Gerador.wCampo(tcStr, "I06", "EXTIPI", 2, 3, 0, prod.EXTIPI, "EX TIPI");
        Gerador.wCampo(tcEsp, "I08", "CFOP", 4, 4, 1, KeyDigits(prod.CFOP), "CFOP");
        Gerador.wCampo(tcStr, "I09", "uCom", 1, 6, 1, prod.uCom, "Unidade comercial");
        Gerador.wCampo(tcDe4, "I10", "qCom", 0, 15, 1, prod.qCom, "Quantidade comercial");
        Gerador.wGrupo("/prod");
        Gerador.wGrupo("/det");
    }
}

}  // namespace nfe
