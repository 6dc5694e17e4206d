#include <string>

#include "convert/field_after_label.h"
#include "convert/item_fields.h"
#include "convert/item_icms_situations.h"
#include "convert/item_taxes.h"
#include "convert/w1252_literal.h"
#include "nfe/code_tables.h"

namespace convert {
namespace {

using nfe::TkroCSOSNIcms;

// Pages label the Simples Nacional situation in several ways; "Simples Nacional" alone also
// matches inside the longer labels, where it reads the wrong characters.
TkroCSOSNIcms ReadCsosn(std::string_view itemText) {
    TkroCSOSNIcms csosn = CodeField<TkroCSOSNIcms>(itemText, "Simples Nacional", 3);
    for (const std::string_view label : {
             "Código de Situação da Operação ? Simples Nacional "_w1252,
             "Código de Situação da Operação "_w1252,
             "Código de Situação da Operação - Simples Nacional "_w1252,
         }) {
        if (csosn != TkroCSOSNIcms::csosnVazio) {
            break;
        }
        csosn = CodeField<TkroCSOSNIcms>(itemText, label, 3);
    }
    return csosn;
}

bool Has(const std::string& code, std::string_view part) {
    return code.find(part) != std::string::npos;
}

}  // namespace

IcmsSituation ChooseIcmsSituation(const nfe::TICMS& icms) {
    const std::string csosn = nfe::EnumToText(icms.CSOSN);
    const std::string csosnGroup = nfe::CsosnGroupText(icms.CSOSN);
    const std::string cst = nfe::EnumToText(icms.CST);
    if (Has(csosn, "102")) {
        return IcmsSituation::kNoValues;
    }
    if (Has(csosn, "500")) {
        return IcmsSituation::kCsosn500;
    }
    if (Has(csosn, "101")) {
        return IcmsSituation::kNoValues;
    }
    if (Has(csosnGroup, "201")) {
        return IcmsSituation::kCsosn201;
    }
    if (Has(csosnGroup, "202")) {
        return IcmsSituation::kCsosn202;
    }
    const std::pair<std::string_view, IcmsSituation> cstSituations[] = {
        {"70", IcmsSituation::kCst70}, {"10", IcmsSituation::kCst10}, {"20", IcmsSituation::kCst20},
        {"60", IcmsSituation::kCst60}, {"30", IcmsSituation::kCst30}, {"51", IcmsSituation::kCst51},
        {"90", IcmsSituation::kCst90},
    };
    for (const auto& [code, situation] : cstSituations) {
        if (Has(cst, code)) {
            return situation;
        }
    }
    return IcmsSituation::kOtherCst;
}

void ReadIcms(std::string_view itemText, nfe::TICMS& icms) {
    icms.orig = Contains(itemText, "Origem da Mercadoria")
                    ? CodeField<nfe::TkroOrigemMercadoria>(itemText, "Origem da Mercadoria ", 1)
                    : nfe::TextToEnum<nfe::TkroOrigemMercadoria>("0");
    icms.CST = CodeField<nfe::TkroCSTIcms>(itemText, "Tributação do ICMS"_w1252, 3);
    icms.CSOSN = ReadCsosn(itemText);
    icms.vCredICMSSN = MoneyField(itemText, "Valor de crédito do ICMS"_w1252);
    icms.pCredSN = MoneyField(itemText, "Alíquota aplicável de cálculo do crédito "_w1252);
    icms.modBC = nfe::TextToEnum<nfe::TkroDeterminacaoBaseIcms>(
        FirstField(itemText, {{"Modalidade Definição da BC do ICMS"_w1252, 2},
                              {"Modalidade Definição da BC ICMS NORMAL"_w1252, 2},
                              {"Modalidade", 1}}));

    std::string_view icmsText = itemText;
    CutAt(icmsText, "Modalidade");
    switch (ChooseIcmsSituation(icms)) {
        case IcmsSituation::kNoValues:
            break;
        case IcmsSituation::kCsosn500:
            ReadIcmsCsosn500(icmsText, icms);
            break;
        case IcmsSituation::kCsosn201:
            ReadIcmsCsosn201(icmsText, icms);
            break;
        case IcmsSituation::kCsosn202:
            ReadIcmsCsosn202(icmsText, icms);
            break;
        case IcmsSituation::kCst70:
            ReadIcmsCst70(icmsText, icms);
            break;
        case IcmsSituation::kCst10:
            ReadIcmsCst10(icmsText, icms);
            break;
        case IcmsSituation::kCst20:
            ReadIcmsCst20(icmsText, icms);
            break;
        case IcmsSituation::kCst60:
            ReadIcmsCst60(icmsText, icms);
            break;
        case IcmsSituation::kCst30:
            ReadIcmsCst30(icmsText, icms);
            break;
        case IcmsSituation::kCst51:
            ReadIcmsCst51(icmsText, icms);
            break;
        case IcmsSituation::kCst90:
            ReadIcmsCst90(icmsText, icms);
            break;
        case IcmsSituation::kOtherCst:
            ReadIcmsOtherCst(icmsText, icms);
            break;
    }
}

}  // namespace convert
