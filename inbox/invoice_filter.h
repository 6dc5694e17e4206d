#pragma once

#include <string>
#include <vector>

#include "catalog/catalog.h"

namespace inbox {

// The periods the window offers, by the invoice's issue date.
enum class Period { thisMonth, lastMonth, lastThreeMonths, thisYear, all };

// The situations the window offers; "only summaries" and "without manifestation" are what an
// accountant looks for before registering the Ciência.
enum class SituationChoice { all, authorised, cancelled, denied, summariesOnly, notManifested };

// The catalogue's listing for the company (empty: every company) and the period, counted
// from the month of today (year, month 1 to 12).
catalog::DocumentFilter CatalogFilter(const std::string& company, Period period, int year,
                                      int month);

// What the person typed and chose above the table, applied to the listing as it is typed.
struct InvoiceFilter {
    SituationChoice situation = SituationChoice::all;
    // Part of the issuer's name (any case), of its CNPJ/CPF or of the key (punctuation and
    // blanks ignored), or the invoice's number.
    std::string search;
};

bool Matches(const catalog::ListedInvoice& invoice, const InvoiceFilter& filter);
std::vector<catalog::ListedInvoice> Filtered(const std::vector<catalog::ListedInvoice>& invoices,
                                             const InvoiceFilter& filter);

}  // namespace inbox
