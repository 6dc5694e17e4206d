#include "convert/item_fields.h"
#include "convert/item_icms_situations.h"
#include "convert/page_number.h"
#include "convert/w1252_literal.h"

namespace convert {

using nfe::TkroDeterminacaoBaseIcmsST;

// The same values as CST 60.
void ReadIcmsCsosn500(std::string_view icmsText, nfe::TICMS& icms) {
    ReadIcmsCst60(icmsText, icms);
}

void ReadIcmsCsosn201(std::string_view icmsText, nfe::TICMS& icms) {
    icms.modBCST = nfe::TextToEnum<TkroDeterminacaoBaseIcmsST>(
        FirstField(icmsText, {{"Modalidade Definição da BC ICMS ST"_w1252, 1},
                              {"Modalidade de Determinação da BC do ICMS ST"_w1252, 1},
                              {"Modalidade de Determinação da BC do ICMS ST "_w1252, 1},
                              {"ModalidadedeDeterminaçãodaBCdoICMSST"_w1252, 2}}));
    icms.pMVAST =
        PageCurrency(FirstField(icmsText, {{"Percentual da margem de valor Adicionado do ICMS ST "},
                                           {"Percentual Margem Valor Adicionado do ICMS ST "}}));
    icms.vBCST = MoneyField(icmsText, "Valor da BC do ICMS ST");
    icms.pICMSST = MoneyField(icmsText, "quota do imposto do ICMS ST ");
    icms.vICMSST = MoneyField(icmsText, "Valor do ICMS ST");
    icms.pCredSN = MoneyField(icmsText, "Alíquota aplicável de cálculo do crédito"_w1252);
    icms.vCredICMSSN = MoneyField(icmsText, "Valor crédito do ICMS"_w1252);
}

void ReadIcmsCsosn202(std::string_view icmsText, nfe::TICMS& icms) {
    icms.modBCST = nfe::TextToEnum<TkroDeterminacaoBaseIcmsST>(
        FirstField(icmsText, {{"Modalidade Definição da BC ICMS ST"_w1252, 1},
                              {"Modalidade de Determinação da BC do ICMS ST"_w1252, 1},
                              {"ModalidadedeDeterminaçãodaBCdoICMSST"_w1252, 2},
                              {"Modalidade Determinação BC do ICMS ST "_w1252, 1}}));
    icms.pMVAST = MoneyField(icmsText, "Percentual Margem Valor Adicionado ICMS ST ");
    icms.vBCST = MoneyField(icmsText, "Valor BC do ICMS ST");
    icms.pICMSST = MoneyField(icmsText, "Alíquota Imposto ICMS ST "_w1252);
    icms.vICMSST = MoneyField(icmsText, "Valor do ICMS ST ");
}

}  // namespace convert
