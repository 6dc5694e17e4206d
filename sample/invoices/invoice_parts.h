#pragma once

#include <string>
#include <utility>

#include "nfe/currency.h"
#include "nfe/model/nfe_document.h"

namespace sample::parts {

// Building blocks of the sample invoices: fictitious parties, an authorised invoice without
// items, items with their product data, ICMS by situation, and the closing steps that sum the
// totals and compose the access key.

// rate percent of base, rounded to cents.
nfe::Currency Percent(nfe::Currency base, nfe::Currency rate);

// An outgoing sale in layout 3.10 by a regime-normal trader in São Paulo to an industry in
// Rio de Janeiro, issued on 2 March 2015 and authorised; number nNF, no items yet.
nfe::TNFe BaseInvoice(int nNF);

struct Product {
    Product(std::string code, std::string description, std::string ncm, double quantity,
            double unitPrice)
        : code(std::move(code)),
          description(std::move(description)),
          ncm(std::move(ncm)),
          quantity(quantity),
          unitPrice(unitPrice) {}
    Product WithCfop(std::string value) const {
        Product copy = *this;
        copy.cfop = std::move(value);
        return copy;
    }
    Product WithUnit(std::string value) const {
        Product copy = *this;
        copy.unit = std::move(value);
        return copy;
    }
    Product WithEan(std::string value) const {
        Product copy = *this;
        copy.ean = std::move(value);
        return copy;
    }

    std::string code;
    std::string description;
    std::string ncm;
    double quantity;
    double unitPrice;
    std::string cfop = "6102";
    std::string unit = "UN";
    std::string ean;
};

// Appends an item with the product's data, its value, an approximate tax total and PIS and
// COFINS at the basic rates; its ICMS is left to the caller.
nfe::TDetCollectionItem& AddItem(nfe::TNFe& nfe, const Product& product);

// Fills the ICMS of a regime-normal item for the situation: base, rates and values computed
// from the item's value, only the fields that the page shows for that situation.
void SetIcms(nfe::TDetCollectionItem& item, nfe::TkroCSTIcms cst);

// The same for an issuer in the Simples Nacional.
void SetIcmsSimples(nfe::TDetCollectionItem& item, nfe::TkroCSOSNIcms csosn);

// Sums the items into Total.ICMSTot, the invoice value included.
void SumTotals(nfe::TNFe& nfe);

// Composes the access key from the header and the issuer: infNFe.ID (the 44 digits),
// procNFe.chNFe and Ide.cDV. Call it last.
void CompleteKey(nfe::TNFe& nfe);

}  // namespace sample::parts
