#include "convert/totals_conversion.h"

#include <string>

#include "convert/field_rules.h"
#include "convert/page_text.h"
#include "convert/w1252_literal.h"

namespace convert {

void ReadTotals(std::string_view block, nfe::TICMSTot& totals,
                const std::function<void()>& processPendingEvents) {
    totals.vBC = MoneyField(block, "Base de Cálculo ICMS"_w1252);
    totals.vICMS = MoneyField(block, "Valor do ICMS");
    totals.vBCST = MoneyField(block, "Base de Cálculo ICMS ST"_w1252);
    totals.vST = MoneyField(block, "Valor ICMS Substituição"_w1252);
    processPendingEvents();
    totals.vProd = MoneyField(block, "Valor Total dos Produtos ");
    if (!(totals.vProd > nfe::Currency())) {
        totals.vProd = MoneyField(block, "Valor dos Produtos");
    }
    totals.vFrete = MoneyField(block, "Valor do Frete");
    totals.vSeg = MoneyField(block, "Valor do Seguro");
    totals.vOutro = MoneyField(block, "Outras Despesas Acessórias"_w1252);
    totals.vIPI = MoneyField(block, "Valor Total do IPI");
    totals.vNF = MoneyField(block, "Valor Total da NFe");
    totals.vDesc = MoneyField(block, "Valor Total dos Descontos");
    totals.vII = MoneyField(block, "Valor Total do II");
    totals.vPIS = MoneyField(block, "Valor do PIS");
    totals.vCOFINS = MoneyField(block, "Valor da COFINS");
    // This value may stand on the block's last line, which has no separator of its own.
    const std::string closed = std::string(block) + std::string(kLineSeparator);
    totals.vTotTrib = MoneyField(closed, "Valor Aproximado dos Tributos");
}

}  // namespace convert
