#include "convert/item_conversion.h"

#include <string>
#include <vector>

#include "convert/item_cutting.h"
#include "convert/item_details.h"
#include "convert/item_fields.h"
#include "convert/item_product.h"
#include "convert/item_taxes.h"
#include "convert/w1252_literal.h"
#include "nfe/conversion_error.h"
#include "text/ascii_case.h"

namespace convert {
namespace {

constexpr std::string_view kCurrencyColumn = "(R$)";

// The text of item 1 starts with the column title "(R$)" of the list; every "(R$)" in it goes.
std::string WithoutCurrencyTitles(std::string_view itemText) {
    std::string result;
    result.reserve(itemText.size());
    std::size_t from = 0;
    for (std::size_t at = text::FindIgnoringCase(itemText, kCurrencyColumn);
         at != std::string_view::npos;
         at = text::FindIgnoringCase(itemText, kCurrencyColumn, from)) {
        result.append(itemText.substr(from, at - from));
        from = at + kCurrencyColumn.size();
    }
    result.append(itemText.substr(from));
    return result;
}

void ConvertItem(int number, std::string_view itemText, nfe::TDetCollectionItem& item) {
    ReadProduct(number, itemText, item.Prod);
    ReadApproximateTaxTotal(itemText, item.Imposto);
    ReadVehicle(itemText, item.Prod.veicProd);
    ReadIcms(itemText, item.Imposto.ICMS);
    item.Prod.xPed = TextField(itemText, "Número do Pedido de Compra"_w1252);
    ReadIpi(itemText, item.Imposto.IPI);
    ReadImportTax(itemText, item.Imposto.II);
    ReadPis(itemText, item.Imposto.PIS);
    ReadCofins(itemText, item.Imposto.COFINS);
    ReadMedicines(itemText, item.Prod.med);
    item.infAdProd = AdditionalProductInfo(itemText);
}

}  // namespace

void ConvertItems(std::string_view productsBlock, nfe::TNFe& nfe,
                  const std::function<void()>& processPendingEvents) {
    processPendingEvents();
    const std::vector<std::string_view> itemTexts = CutItemTexts(productsBlock);
    for (int number = 1; number <= static_cast<int>(itemTexts.size()); ++number) {
        std::string_view itemText = itemTexts[static_cast<std::size_t>(number - 1)];
        if (itemText.empty()) {
            continue;
        }
        nfe::TDetCollectionItem& item = nfe.Det.Add();
        item.Prod.nItem = number;
        std::string withoutTitles;
        if (itemText.starts_with(kCurrencyColumn)) {
            withoutTitles = WithoutCurrencyTitles(itemText);
            itemText = withoutTitles;
        }
        try {
            ConvertItem(number, itemText, item);
        } catch (const nfe::ConversionError& error) {
            throw nfe::ConversionError("Item " + std::to_string(number) + ": " + error.what());
        }
    }
}

}  // namespace convert
