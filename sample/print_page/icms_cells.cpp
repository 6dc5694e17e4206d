#include "sample/print_page/icms_cells.h"

#include "sample/print_page/code_descriptions.h"
#include "sample/print_page/page_format.h"
#include "sample/print_page/page_markup.h"

namespace sample::page {
namespace {

using nfe::Currency;
using nfe::TICMS;

std::string Money(Currency value) {
    return PageNumber(value, 2);
}

// Cells of one situation, appended in page order.
class IcmsPage {
public:
    explicit IcmsPage(const TICMS& icms) : icms_(icms) {}

    IcmsPage& Value(std::string_view label, Currency value) {
        cells_.push_back(LabelledCell(label, Money(value)));
        return *this;
    }
    IcmsPage& Text(std::string_view label, const std::string& value) {
        cells_.push_back(LabelledCell(label, value));
        return *this;
    }
    IcmsPage& Joined(std::string_view label, const std::string& value) {
        cells_.push_back(JoinedCell(label, value));
        return *this;
    }
    // The base modality under the heading that the page uses for most situations.
    IcmsPage& BaseModality() {
        return Text("Modalidade Definição da BC do ICMS", CodedText(icms_.modBC));
    }
    IcmsPage& StBaseModalitySpaced(std::string_view label) {
        return Text(label, CodedText(icms_.modBCST));
    }
    IcmsPage& StBaseModalityJoined() {
        return Joined("Modalidade de Determinação da BC do ICMS ST", CodedText(icms_.modBCST));
    }
    IcmsPage& Credit(std::string_view valueLabel) {
        Value("Alíquota aplicável de cálculo do crédito", icms_.pCredSN);
        return Value(valueLabel, icms_.vCredICMSSN);
    }
    IcmsPage& Retained() {
        Value("Valor da BC do ICMS ST retido", icms_.vBCSTRet);
        return Value("Valor do ICMS ST retido", icms_.vICMSSTRet);
    }
    // Base, rate and value of the normal ICMS and of the substitution, as the situations
    // without labels of their own show them.
    IcmsPage& NormalAndSt() {
        BaseModality();
        Value("Base de Cálculo do ICMS Normal", icms_.vBC);
        Value("Alíquota do ICMS Normal", icms_.pICMS);
        Value("Valor do ICMS Normal", icms_.vICMS);
        StBaseModalitySpaced("Modalidade Definição da BC ICMS ST");
        Value("Base de Cálculo do ICMS ST", icms_.vBCST);
        Value("Alíquota do ICMS ST", icms_.pICMSST);
        return Value("Valor do ICMS ST", icms_.vICMSST);
    }

    std::vector<std::string> Take() { return std::move(cells_); }

private:
    const TICMS& icms_;
    std::vector<std::string> cells_;
};

void RegimeNormal(const TICMS& icms, IcmsPage& page) {
    using enum nfe::TkroCSTIcms;
    page.Text("Tributação do ICMS", CodedText(icms.CST));
    switch (icms.CST) {
        case cst00:
            page.BaseModality()
                .Value("Base de Cálculo do ICMS Normal", icms.vBC)
                .Value("Alíquota do ICMS Normal", icms.pICMS)
                .Value("Valor do ICMS Normal", icms.vICMS);
            break;
        case cst10:
        case cstPart10:
            page.BaseModality()
                .Value("Base de Cálculo do ICMS Normal", icms.vBC)
                .Value("Alíquota do ICMS Normal", icms.pICMS)
                .Value("Valor do ICMS Normal", icms.vICMS)
                .StBaseModalitySpaced("Modalidade Definição da BC ICMS ST")
                .Value("Percentual do MVA do ICMS ST", icms.pMVAST)
                .Value("Base de Cálculo do ICMS ST", icms.vBCST)
                .Value("Alíquota do ICMS ST", icms.pICMSST)
                .Value("Valor do ICMS ST", icms.vICMSST);
            break;
        case cst20:
            // The lines after the modality begin with the bare words "Base de Cálculo",
            // "Alíquota" and "Valor".
            page.BaseModality()
                .Value("Percentual Redução de BC do ICMS Normal", icms.pRedBC)
                .Value("Base de Cálculo", icms.vBC)
                .Value("Alíquota", icms.pICMS)
                .Value("Valor", icms.vICMS);
            break;
        case cst30:
            page.StBaseModalityJoined()
                .Value("Valor da BC do ICMS ST", icms.vBCST)
                .Value("Alíquota do Imposto do ICMS ST", icms.pICMSST)
                .Value("Valor do ICMS ST", icms.vICMSST);
            break;
        case cst51:
            // The ICMS of the item comes before the ICMS of the operation, whose label begins
            // with the same words.
            page.Text("Modalidade de determinação da BC do ICMS", CodedText(icms.modBC))
                .Value("Valor da BC do ICMS", icms.vBC)
                .Value("Percentual da Redução de BC", icms.pRedBC)
                .Value("Alíquota do imposto", icms.pICMS)
                .Value("Valor do ICMS", icms.vICMS)
                .Value("Valor do ICMS da Operação", icms.vICMSOp)
                .Value("Percentual do Diferimento", icms.pDif)
                .Value("Valor do ICMS Diferido", icms.vICMSDif);
            break;
        case cst60:
            page.Retained();
            break;
        case cst70:
            page.Text("Modalidade", CodedText(icms.modBC))
                .Value("Percentual Redução de BC do ICMS Normal", icms.pRedBC)
                .Value("Base de Cálculo", icms.vBC)
                .Value("Alíquota", icms.pICMS)
                .Value("Valor do ICMS", icms.vICMS)
                .StBaseModalityJoined()
                .Value("Percentual da MVA do ICMS ST", icms.pMVAST)
                .Value("Percentual da Redução de BC do ICMS ST", icms.pRedBCST)
                .Value("Valor da BC do ICMS ST", icms.vBCST)
                .Value("Alíquota do Imposto do ICMS ST", icms.pICMSST)
                .Value("Valor do ICMS ST", icms.vICMSST);
            break;
        case cst90:
        case cstPart90:
        case cstICMSOutraUF:
            page.Text("Modalidade", CodedText(icms.modBC))
                .Value("Base de Cálculo", icms.vBC)
                .Value("Alíquota", icms.pICMS)
                .Value("Valor do ICMS", icms.vICMS)
                .StBaseModalitySpaced("Modalidade de Determinação da BC do ICMS ST")
                .Value("Percentual da MVA do ICMS ST", icms.pMVAST)
                .Value("Percentual da Redução de BC do ICMS ST", icms.pRedBCST)
                .Value("Valor da BC do ICMS ST", icms.vBCST)
                .Value("Alíquota do Imposto do ICMS ST", icms.pICMSST)
                .Value("Valor do ICMS ST", icms.vICMSST);
            break;
        case cst40:
        case cst41:
        case cstRep41:
        case cst45:
        case cst50:
        case cst80:
        case cst81:
        case cstVazio:
        case cstICMSSN:
            break;
    }
}

void SimplesNacional(const TICMS& icms, IcmsPage& page) {
    using enum nfe::TkroCSOSNIcms;
    page.Text("Código de Situação da Operação - Simples Nacional", CodedText(icms.CSOSN));
    switch (icms.CSOSN) {
        case csosn101:
            page.Credit("Valor de crédito do ICMS");
            break;
        case csosn201:
            page.StBaseModalityJoined()
                .Value("Percentual da margem de valor Adicionado do ICMS ST", icms.pMVAST)
                .Value("Valor da BC do ICMS ST", icms.vBCST)
                .Value("Alíquota do imposto do ICMS ST", icms.pICMSST)
                .Value("Valor do ICMS ST", icms.vICMSST)
                .Credit("Valor crédito do ICMS");
            break;
        case csosn202:
        case csosn203:
            page.StBaseModalityJoined()
                .Value("Percentual Margem Valor Adicionado ICMS ST", icms.pMVAST)
                .Value("Valor BC do ICMS ST", icms.vBCST)
                .Value("Alíquota Imposto ICMS ST", icms.pICMSST)
                .Value("Valor do ICMS ST", icms.vICMSST);
            break;
        case csosn500:
            page.Retained();
            break;
        case csosn900:
            page.NormalAndSt().Credit("Valor de crédito do ICMS");
            break;
        case csosn102:
        case csosn103:
        case csosn300:
        case csosn400:
        case csosnVazio:
            break;
    }
}

}  // namespace

std::vector<std::string> IcmsCells(const TICMS& icms, bool simplesNacional) {
    IcmsPage page(icms);
    page.Text("Origem da Mercadoria", CodedText(icms.orig));
    if (simplesNacional) {
        SimplesNacional(icms, page);
    } else {
        RegimeNormal(icms, page);
    }
    return page.Take();
}

}  // namespace sample::page
