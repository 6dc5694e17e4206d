#include "convert/item_taxes.h"

#include <string>

#include "convert/field_after_label.h"
#include "convert/item_fields.h"
#include "convert/page_number.h"
#include "convert/page_text.h"
#include "convert/w1252_literal.h"

namespace convert {

void ReadApproximateTaxTotal(std::string_view itemText, nfe::TImposto& imposto) {
    imposto.vTotTrib =
        PageCurrency(FieldAfterLabel(itemText, "Valor Aproximado dos Tributos"), true);
}

void ReadIpi(std::string_view& itemText, nfe::TIPI& ipi) {
    constexpr std::string_view kHeading = "Imposto Sobre Produtos Industrializados";
    if (!Contains(itemText, kHeading)) {
        return;
    }
    CutAt(itemText, kHeading);
    ipi.cEnq = TextField(itemText, "Código de Enquadramento"_w1252);
    ipi.vBC = MoneyField(itemText, "Base de Cálculo"_w1252);
    ipi.pIPI = MoneyField(itemText, "Alíquota"_w1252);
    ipi.vIPI = MoneyField(itemText, "Valor IPI");
    ipi.qUnid = MoneyField(itemText, "Qtd Total Unidade Padrão"_w1252);
    ipi.vUnid = MoneyField(itemText, "Valor por Unidade");
    ipi.CST = CodeField<nfe::TkroCstIpi>(itemText, "CST ", 2);
}

void ReadImportTax(std::string_view& itemText, nfe::TII& ii) {
    if (FieldAfterLabel(itemText, "IMPOSTO DE IMPORTA").empty()) {
        return;
    }
    CutAt(itemText, "IMPOSTO DE IMPORTAÇÃO"_w1252);
    ii.vBc = MoneyField(itemText, "Base de Cálculo"_w1252);
    ii.vDespAdu = MoneyField(itemText, "Despesas Aduaneiras");
    ii.vII = MoneyField(itemText, "Imposto de Importação"_w1252);
    ii.vIOF = MoneyField(itemText, "IOF");
}

void ReadPis(std::string_view& itemText, nfe::TPIS& pis) {
    if (!Contains(itemText, "PIS")) {
        return;
    }
    CutAt(itemText, "|&|PIS|&|");
    pis.vBC = MoneyField(itemText, "|&|Base de Cálculo"_w1252);
    pis.CST = CodeField<nfe::TkroCstPis>(itemText, "CST ", 2);
    pis.pPIS =
        PageCurrency(FirstField(itemText, {{"|&|Alíquota (%) "_w1252}, {"|&|Alíquota "_w1252}}));
    pis.vPIS = PageCurrency(FirstField(itemText, {{"|&|Valor do PIS "}, {"|&|Valor "}}));
}

void ReadCofins(std::string_view& itemText, nfe::TCOFINS& cofins) {
    if (!Contains(itemText, "COFINS")) {
        return;
    }
    CutAt(itemText, "|&|COFINS|&|");
    cofins.vBC = MoneyField(itemText, "|&|Base de Cálculo"_w1252);
    cofins.CST = CodeField<nfe::TkroCstCofins>(itemText, "CST ", 2);
    cofins.pCOFINS =
        PageCurrency(FirstField(itemText, {{"|&|Alíquota (%) "_w1252}, {"|&|Alíquota "_w1252}}));
    // The value may stand on the last line of the item, which has no separator of its own.
    cofins.vCOFINS = MoneyField(std::string(itemText) + std::string(kLineSeparator), "|&|Valor ");
}

}  // namespace convert
