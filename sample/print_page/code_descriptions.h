#pragma once

#include <string>
#include <string_view>

#include "nfe/code_tables.h"
#include "nfe/model/enums.h"

namespace sample::page {

// The portal shows a coded field as its code, " - " and a short description:
// "1 - Normal", "00 - Tributada integralmente". A code without a description here is shown
// alone.

std::string_view Description(nfe::TkroProcessoEmissao value);
std::string_view Description(nfe::TkroTipoEmissao value);
std::string_view Description(nfe::TkroFinalidadeNFe value);
std::string_view Description(nfe::TkroTipoNFe value);
std::string_view Description(nfe::TkroIndicadorPagamento value);
std::string_view Description(nfe::TkroCRT value);
std::string_view Description(nfe::TkroModalidadeFrete value);
std::string_view Description(nfe::TkroTipoImpressao value);
std::string_view Description(nfe::TkroIndicadorTotal value);
std::string_view Description(nfe::TkroOrigemMercadoria value);
std::string_view Description(nfe::TkroCSTIcms value);
std::string_view Description(nfe::TkroCSOSNIcms value);
std::string_view Description(nfe::TkroDeterminacaoBaseIcms value);
std::string_view Description(nfe::TkroDeterminacaoBaseIcmsST value);
std::string_view Description(nfe::TkroCstIpi value);
std::string_view Description(nfe::TkroCstPis value);
std::string_view Description(nfe::TkroCstCofins value);

template <class Enum>
std::string CodedText(Enum value) {
    std::string text = nfe::EnumToText(value);
    const std::string_view description = Description(value);
    if (!description.empty()) {
        text += " - ";
        text += description;
    }
    return text;
}

}  // namespace sample::page
