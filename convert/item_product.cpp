#include "convert/item_product.h"

#include <cstdint>
#include <string>

#include "convert/copy.h"
#include "convert/field_after_label.h"
#include "convert/item_cutting.h"
#include "convert/item_fields.h"
#include "convert/page_number.h"
#include "convert/page_text.h"
#include "convert/w1252_literal.h"

namespace convert {
namespace {

// 1-based position of the first occurrence, 0 when absent.
std::int64_t PositionOf(std::string_view text, std::string_view part) {
    const std::size_t position = text.find(part);
    return position == std::string_view::npos ? 0 : static_cast<std::int64_t>(position) + 1;
}

// The text after the last line separator; empty when there is none.
std::string_view AfterLastSeparator(std::string_view text) {
    const std::size_t position = text.rfind(kLineSeparator);
    return position == std::string_view::npos ? std::string_view{}
                                              : text.substr(position + kLineSeparator.size());
}

}  // namespace

nfe::Currency ProductValue(int number, std::string_view itemText) {
    const std::int64_t code = PositionOf(itemText, "|&|Código do Produto"_w1252);
    const std::int64_t marker = PositionOf(itemText, BlankItemMarker(number));
    // Counted from the start of the item text, so that with the marker in front the slice ends
    // with the separator of the product-code line. A marker further on stretches it past that
    // line, and then the code line inside the slice ends it.
    std::string_view slice = Copy(itemText, marker, code + 2);
    if (const std::size_t codeLine = slice.find("|&|Código do Produto "_w1252);
        codeLine != std::string_view::npos) {
        slice = slice.substr(0, codeLine);
    } else if (slice.ends_with(kLineSeparator)) {
        slice.remove_suffix(kLineSeparator.size());
    }
    return PageCurrency(AfterLastSeparator(slice));
}

void ReadProduct(int number, std::string_view itemText, nfe::TProd& prod) {
    prod.xProd = TextField(itemText, BlankItemMarker(number));
    if (prod.xProd.empty()) {
        prod.xProd = TextField(itemText, PlainItemMarker(number));
    }
    prod.vProd = ProductValue(number, itemText);
    prod.cProd = TextField(itemText, "Código do Produto"_w1252);
    prod.NCM = TextField(itemText, "Código NCM"_w1252);
    prod.EXTIPI = TextField(itemText, "Código EX da TIPI"_w1252);
    prod.CFOP = TextField(itemText, "CFOP");
    prod.vFrete = MoneyField(itemText, "Valor Total do Frete");
    prod.cEAN = TextField(itemText, "Código EAN Comercial"_w1252);
    // Read from the commercial EAN's line on, past any "Unidade Comercial" further up (the column
    // titles of the list stand in front of item 1).
    std::string_view fromEan = itemText;
    CutAt(fromEan, "|&|Código EAN Comercial"_w1252);
    prod.uCom = TextField(fromEan, "Unidade Comercial");
    prod.qCom = MoneyField(itemText, "Quantidade Comercial");
    prod.cEANTrib = TextField(itemText, "Código EAN Tributável"_w1252);
    prod.uTrib = TextField(itemText, "Unidade Tributável"_w1252);
    prod.qTrib = MoneyField(itemText, "Quantidade Tributável"_w1252);
    prod.vUnCom =
        ParsePageNumber(FieldAfterLabel(itemText, "Valor unitário de comercialização"_w1252));
    prod.vUnTrib = ParsePageNumber(FieldAfterLabel(itemText, "Valor unitário de tributação"_w1252));
    prod.vDesc = MoneyField(itemText, "Valor do Desconto");
    prod.vOutro = MoneyField(itemText, "Outras despesas acessórias"_w1252);
    prod.vSeg = MoneyField(itemText, "Valor do Seguro");
    prod.IndTot = CodeField<nfe::TkroIndicadorTotal>(
        itemText, "Indicador de Composição do Valor Total da NF-e "_w1252, 1);
    prod.nItemPed = IntegerField(itemText, "Item do pedido de compra", 0);
}

}  // namespace convert
