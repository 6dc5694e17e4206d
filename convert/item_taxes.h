#pragma once

#include <string_view>

#include "nfe/model/taxes.h"

namespace convert {

// The taxes of one item, read from its item text. A missing label leaves 0 or the code table's
// first value; none of these steps fails.
//
// The IPI, import tax, PIS and COFINS steps run in this order, each moving the item text on to
// its own section when it finds one; the steps after them read what is left.

// The approximate total of the item's taxes ("Valor Aproximado dos Tributos"), which the portal
// may write with a decimal point.
void ReadApproximateTaxTotal(std::string_view itemText, nfe::TImposto& imposto);

// Origin, situation (CST or CSOSN), base modality, Simples Nacional credit and the values of the
// item's situation, for regime-normal and Simples Nacional issuers alike.
void ReadIcms(std::string_view itemText, nfe::TICMS& icms);

// From the heading "Imposto Sobre Produtos Industrializados" on; nothing without it.
void ReadIpi(std::string_view& itemText, nfe::TIPI& ipi);

// When "IMPOSTO DE IMPORTA" (in any case) has more text after it on its line; read from the
// heading "IMPOSTO DE IMPORTAÇÃO" on where the page writes it so.
void ReadImportTax(std::string_view& itemText, nfe::TII& ii);

// From the line "PIS" on, when the text mentions "PIS".
void ReadPis(std::string_view& itemText, nfe::TPIS& pis);

// From the line "COFINS" on, when the text mentions "COFINS".
void ReadCofins(std::string_view& itemText, nfe::TCOFINS& cofins);

}  // namespace convert
