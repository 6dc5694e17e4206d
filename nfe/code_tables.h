#pragma once

// Code tables: the code text that stands for each value of the document's enumerations, in
// the XML and (as the code before " - description") on the portal's pages.
//
// Every enumeration of nfe/model/enums.h has a table; the type selects it:
//
//   bool ok = false;
//   TkroTipoEmissao tpEmis = TextToEnum<TkroTipoEmissao>(ok, "9");  // teOffLine, ok true
//   TkroCRT crt = TextToEnum<TkroCRT>("4");          // crtRegimeNormal, the fall-back
//   std::string code = EnumToText(TkroCSTIcms::cstICMSSN);           // "SN"
//   std::string none = EnumToText(TkroCSTIcms::cst45);               // "" (no code)
//
// Text to value compares whole texts, ignoring the case of ASCII letters; when a text occurs
// twice the later pair wins, and a text that matches nothing gives the table's first value
// with ok false. Value to text also lets the later pair win; a value without a pair gives the
// empty text. Both directions usually read the same list; the ICMS situation and the CSOSN
// keep a separate list for each direction.
//
// The explicit forms TextToEnum(ok, text, pairs) and EnumToText(value, pairs) take any list,
// e.g. CodeTableOf(TkroCSTIcms{}).textToValue.

#include <concepts>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "nfe/model/enums.h"

namespace nfe {

template <class Enum>
struct CodePair {
    std::string_view text;
    Enum value;
};

template <class Enum>
using CodePairs = std::span<const CodePair<Enum>>;

template <class Enum>
struct CodeTable {
    CodePairs<Enum> textToValue;
    CodePairs<Enum> valueToText;
};

// The table of each enumeration; the argument only selects the overload.
CodeTable<TkroIndicadorPagamento> CodeTableOf(TkroIndicadorPagamento);
CodeTable<TkroTipoNFe> CodeTableOf(TkroTipoNFe);
CodeTable<TkroDestinoOperacao> CodeTableOf(TkroDestinoOperacao);
CodeTable<TkroTipoImpressao> CodeTableOf(TkroTipoImpressao);
CodeTable<TkroTipoEmissao> CodeTableOf(TkroTipoEmissao);
CodeTable<TkroTipoAmbiente> CodeTableOf(TkroTipoAmbiente);
CodeTable<TkroFinalidadeNFe> CodeTableOf(TkroFinalidadeNFe);
CodeTable<TkroConsumidorFinal> CodeTableOf(TkroConsumidorFinal);
CodeTable<TkroPresencaComprador> CodeTableOf(TkroPresencaComprador);
CodeTable<TkroProcessoEmissao> CodeTableOf(TkroProcessoEmissao);
CodeTable<TkroECFModRef> CodeTableOf(TkroECFModRef);
CodeTable<TkroCRT> CodeTableOf(TkroCRT);
CodeTable<TkroindIEDest> CodeTableOf(TkroindIEDest);
CodeTable<TkroModalidadeFrete> CodeTableOf(TkroModalidadeFrete);
CodeTable<TkroRegTribISSQN> CodeTableOf(TkroRegTribISSQN);
CodeTable<TkroFormaPagamento> CodeTableOf(TkroFormaPagamento);
CodeTable<TkroBandeiraCartao> CodeTableOf(TkroBandeiraCartao);
CodeTable<TkroIndicadorProcesso> CodeTableOf(TkroIndicadorProcesso);
CodeTable<TkroIndicadorTotal> CodeTableOf(TkroIndicadorTotal);
CodeTable<TkroTipoViaTransp> CodeTableOf(TkroTipoViaTransp);
CodeTable<TkroTipoIntermedio> CodeTableOf(TkroTipoIntermedio);
CodeTable<TkroTipoOperacao> CodeTableOf(TkroTipoOperacao);
CodeTable<TkroCondicaoVeiculo> CodeTableOf(TkroCondicaoVeiculo);
CodeTable<TkroTipoArma> CodeTableOf(TkroTipoArma);
CodeTable<TkroOrigemMercadoria> CodeTableOf(TkroOrigemMercadoria);
CodeTable<TkroCSTIcms> CodeTableOf(TkroCSTIcms);
CodeTable<TkroCSOSNIcms> CodeTableOf(TkroCSOSNIcms);
CodeTable<TkroDeterminacaoBaseIcms> CodeTableOf(TkroDeterminacaoBaseIcms);
CodeTable<TkroDeterminacaoBaseIcmsST> CodeTableOf(TkroDeterminacaoBaseIcmsST);
CodeTable<TkroMotivoDesoneracaoICMS> CodeTableOf(TkroMotivoDesoneracaoICMS);
CodeTable<TkroCstIpi> CodeTableOf(TkroCstIpi);
CodeTable<TkroCstPis> CodeTableOf(TkroCstPis);
CodeTable<TkroCstCofins> CodeTableOf(TkroCstCofins);
CodeTable<TkroISSQNcSitTrib> CodeTableOf(TkroISSQNcSitTrib);
CodeTable<TkroindISS> CodeTableOf(TkroindISS);
CodeTable<TkroindIncentivo> CodeTableOf(TkroindIncentivo);
CodeTable<TkroindISSRet> CodeTableOf(TkroindISSRet);

template <class Enum>
concept CodedEnum = requires(Enum value) {
    { CodeTableOf(value) } -> std::same_as<CodeTable<Enum>>;
};

// Equal texts, ignoring the case of ASCII letters only.
bool SameCodeText(std::string_view a, std::string_view b);

template <class Enum>
Enum TextToEnum(bool& ok, std::string_view text, CodePairs<Enum> pairs) {
    ok = false;
    Enum result = pairs.empty() ? Enum{} : pairs.front().value;
    for (const CodePair<Enum>& pair : pairs) {
        if (SameCodeText(text, pair.text)) {
            result = pair.value;
            ok = true;
        }
    }
    return result;
}

template <class Enum>
std::string EnumToText(Enum value, std::type_identity_t<CodePairs<Enum>> pairs) {
    std::string_view result;
    for (const CodePair<Enum>& pair : pairs) {
        if (pair.value == value) {
            result = pair.text;
        }
    }
    return std::string(result);
}

template <CodedEnum Enum>
Enum TextToEnum(bool& ok, std::string_view text) {
    return TextToEnum(ok, text, CodeTableOf(Enum{}).textToValue);
}

// For the conversion, which stores the fall-back for an unknown text without a word.
template <CodedEnum Enum>
Enum TextToEnum(std::string_view text) {
    bool ok = false;
    return TextToEnum<Enum>(ok, text);
}

template <CodedEnum Enum>
std::string EnumToText(Enum value) {
    return EnumToText(value, CodeTableOf(value).valueToText);
}

// The CSOSN that leads the group of the ICMS tags for Simples Nacional: "102" for 102, 103,
// 300 and 400, "202" for 202 and 203, the value's own code otherwise. Empty for csosnVazio,
// which has no group; a caller then keeps the text it had.
std::string CsosnGroupText(TkroCSOSNIcms value);

}  // namespace nfe
