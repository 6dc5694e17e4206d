#include <algorithm>

#include "convert/field_after_label.h"
#include "convert/item_fields.h"
#include "convert/item_icms_situations.h"
#include "convert/page_number.h"
#include "convert/w1252_literal.h"

namespace convert {
namespace {

// The number that starts the value after label; other text may follow it on the same line.
// A fixed count of five characters would read a rate of 17,25 as 17,2.
nfe::Currency LeadingNumberField(std::string_view section, std::string_view label) {
    std::string value = FieldAfterLabel(section, label, 0);
    value.resize(std::min(value.size(), value.find_first_not_of("0123456789.,+-")));
    return PageCurrency(value);
}

}  // namespace

using nfe::TkroDeterminacaoBaseIcms;
using nfe::TkroDeterminacaoBaseIcmsST;

void ReadIcmsCst70(std::string_view icmsText, nfe::TICMS& icms) {
    icms.pRedBC = MoneyField(icmsText, "Percentual Redução de BC do ICMS Normal"_w1252);
    icms.vBC = MoneyField(icmsText, "Base de Cálculo"_w1252);
    icms.pICMS = MoneyField(icmsText, "Alíquota"_w1252);
    icms.modBC = CodeField<TkroDeterminacaoBaseIcms>(icmsText, "Modalidade ", 1);
    CutAt(icmsText, "Alíquota"_w1252);
    icms.vICMS = MoneyField(icmsText, "Valor do ICMS ");
    icms.pMVAST = MoneyField(icmsText, "Percentual da Margen de Valor Adicionado do ICMS ST");
    icms.pRedBCST = MoneyField(icmsText, "Percentual da Redução de BC do ICMS ST"_w1252);
    icms.vBCST = MoneyField(icmsText, "Valor da BC do ICMS ST");
    icms.pICMSST = MoneyField(icmsText, "Alíquota do Imposto do ICMS ST"_w1252);
    icms.vICMSST = MoneyField(icmsText, "Valor do ICMS ST");
    icms.modBCST = nfe::TextToEnum<TkroDeterminacaoBaseIcmsST>(
        FirstField(icmsText, {{"Modalidade Definição da BC ICMS ST"_w1252, 1},
                              {"Modalidade de Determinação da BC do ICMS ST"_w1252, 1},
                              {"ModalidadedeDeterminaçãodaBCdoICMSST"_w1252, 2}}));
    // Pages that write "MVA" carry the margin under that label; the one above is read first.
    icms.pMVAST = MoneyField(icmsText, "Percentual da MVA do ICMS ST");
}

void ReadIcmsCst10(std::string_view icmsText, nfe::TICMS& icms) {
    icms.vBC = MoneyField(icmsText, "Base de Cálculo do ICMS Normal"_w1252);
    icms.pICMS = MoneyField(icmsText, "Alíquota do ICMS Normal"_w1252);
    CutAt(icmsText, "Alíquota do ICMS Normal"_w1252);
    icms.vICMS = MoneyField(icmsText, "Valor do ICMS Normal");
    icms.vBCST = MoneyField(icmsText, "Base de Cálculo do ICMS ST"_w1252);
    icms.pICMSST = MoneyField(icmsText, "Alíquota do ICMS ST"_w1252);
    icms.vICMSST = MoneyField(icmsText, "Valor do ICMS ST");
    icms.modBCST = CodeField<TkroDeterminacaoBaseIcmsST>(
        icmsText, "Modalidade Definição da BC ICMS ST"_w1252, 3);
    icms.pMVAST = MoneyField(icmsText, "Percentual do MVA do ICMS ST");
}

void ReadIcmsCst20(std::string_view icmsText, nfe::TICMS& icms) {
    icms.pRedBC = MoneyField(icmsText, "Percentual Redução de BC do ICMS Normal "_w1252);
    icms.vBC = MoneyField(icmsText, "Base de Cálculo"_w1252);
    icms.pICMS = MoneyField(icmsText, "Alíquota"_w1252);
    // The first line that starts with "Valor", whatever follows the word.
    icms.vICMS = MoneyField(icmsText, "|&|Valor");
}

void ReadIcmsCst60(std::string_view icmsText, nfe::TICMS& icms) {
    icms.vBCSTRet = MoneyField(icmsText, "Valor da BC do ICMS ST retido");
    icms.vICMSSTRet = MoneyField(icmsText, "Valor do ICMS ST retido");
}

void ReadIcmsCst30(std::string_view icmsText, nfe::TICMS& icms) {
    icms.modBCST = nfe::TextToEnum<TkroDeterminacaoBaseIcmsST>(
        FirstField(icmsText, {{"Modalidade Definição da BC ICMS ST"_w1252, 1},
                              {"Modalidade de Determinação da BC do ICMS ST"_w1252, 1}}));
    icms.vBCST = MoneyField(icmsText, "Valor da BC do ICMS ST");
    icms.pICMSST = MoneyField(icmsText, "Alíquota do Imposto do ICMS ST"_w1252);
    icms.vICMSST = MoneyField(icmsText, "Valor do ICMS ST");
}

void ReadIcmsCst51(std::string_view icmsText, nfe::TICMS& icms) {
    icms.modBC = CodeField<TkroDeterminacaoBaseIcms>(
        icmsText, "Modalidade de determinação da BC do ICMS "_w1252, 1);
    icms.vBC = MoneyField(icmsText, "Valor da BC do ICMS ");
    icms.pRedBC = MoneyField(icmsText, "Percentual da Redução de BC"_w1252);
    icms.pICMS = MoneyField(icmsText, "Alíquota do imposto "_w1252);
    icms.vICMS = MoneyField(icmsText, "Valor do ICMS ");
    icms.vICMSOp = MoneyField(icmsText, "Valor do ICMS da Operação"_w1252);
    icms.pDif = MoneyField(icmsText, "Percentual do Diferimento");
    icms.vICMSDif = MoneyField(icmsText, "Valor do ICMS Diferido");
}

void ReadIcmsCst90(std::string_view icmsText, nfe::TICMS& icms) {
    icms.vBC = MoneyField(icmsText, "Base de Cálculo "_w1252);
    icms.modBC = CodeField<TkroDeterminacaoBaseIcms>(icmsText, "Modalidade", 2);
    icms.pICMS = MoneyField(icmsText, "Alíquota "_w1252);
    icms.vICMS = MoneyField(icmsText, "Valor do ICMS ");
    icms.vBCST = MoneyField(icmsText, "Valor da BC do ICMS ST");
    icms.pICMSST = MoneyField(icmsText, "Alíquota do Imposto do ICMS ST"_w1252);
    icms.vICMSST = MoneyField(icmsText, "Valor do ICMS ST");
    icms.modBCST = nfe::TextToEnum<TkroDeterminacaoBaseIcmsST>(
        FirstField(icmsText, {{"Modalidade de Determinação da BC do ICMS ST"_w1252, 3},
                              {"ModalidadedeDeterminaçãodaBCdoICMSST"_w1252, 3}}));
    icms.pMVAST = MoneyField(icmsText, "Percentual da MVA do ICMS ST");
    icms.pRedBCST = MoneyField(icmsText, "Percentual da Redução de BC do ICMS ST"_w1252);
}

void ReadIcmsOtherCst(std::string_view icmsText, nfe::TICMS& icms) {
    icms.vBC = MoneyField(icmsText, "Base de Cálculo do ICMS Normal"_w1252);
    icms.pICMS = LeadingNumberField(icmsText, "Alíquota do ICMS Normal"_w1252);
    CutAt(icmsText, "Alíquota ICMS Normal"_w1252);
    icms.vICMS = MoneyField(icmsText, "Valor do ICMS Normal");
    icms.vBCST = MoneyField(icmsText, "Base de Cálculo do ICMS ST"_w1252);
    icms.pICMSST = MoneyField(icmsText, "Alíquota do ICMS ST"_w1252);
    icms.vICMSST = MoneyField(icmsText, "Valor do ICMS ST");
    icms.modBCST = CodeField<TkroDeterminacaoBaseIcmsST>(
        icmsText, "Modalidade Definição da BC ICMS ST"_w1252, 3);
}

}  // namespace convert
