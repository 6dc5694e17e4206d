#include "inbox/invoice_filter.h"

#include <algorithm>
#include <cstdio>

#include "catalog/document_facts.h"
#include "text/ascii_case.h"
#include "text/character_filters.h"
#include "text/trim.h"

namespace inbox {
namespace {

std::string Day(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

// The month that lies `back` months before (year, month), as (year, month).
std::pair<int, int> MonthsBefore(int year, int month, int back) {
    const int index = year * 12 + (month - 1) - back;
    return {index / 12, index % 12 + 1};
}

bool SituationMatches(const catalog::ListedInvoice& invoice, SituationChoice choice) {
    switch (choice) {
        case SituationChoice::authorised:
            return invoice.situation == catalog::Situation::authorised;
        case SituationChoice::cancelled:
            return invoice.situation == catalog::Situation::cancelled;
        case SituationChoice::denied:
            return invoice.situation == catalog::Situation::denied;
        case SituationChoice::summariesOnly:
            return !invoice.full;
        case SituationChoice::notManifested:
            return invoice.manifestation.empty();
        case SituationChoice::all:
            break;
    }
    return true;
}

}  // namespace

catalog::DocumentFilter CatalogFilter(const std::string& company, Period period, int year,
                                      int month) {
    catalog::DocumentFilter filter;
    filter.company = company;
    // Invoices may be dated ahead of today's clock; the period is open at its end.
    switch (period) {
        case Period::thisMonth:
            filter.from = Day(year, month, 1);
            break;
        case Period::lastMonth: {
            const auto [lastYear, last] = MonthsBefore(year, month, 1);
            filter.from = Day(lastYear, last, 1);
            filter.until = Day(lastYear, last, 31);
            break;
        }
        case Period::lastThreeMonths: {
            const auto [firstYear, first] = MonthsBefore(year, month, 2);
            filter.from = Day(firstYear, first, 1);
            break;
        }
        case Period::thisYear:
            filter.from = Day(year, 1, 1);
            break;
        case Period::all:
            break;
    }
    return filter;
}

bool Matches(const catalog::ListedInvoice& invoice, const InvoiceFilter& filter) {
    if (!SituationMatches(invoice, filter.situation)) {
        return false;
    }
    const std::string_view search = text::Trim(filter.search);
    if (search.empty()) {
        return true;
    }
    if (text::FindIgnoringCase(invoice.issuerName, search) != std::string::npos) {
        return true;
    }
    const std::string compact = text::AsciiUpperCase(text::LettersAndDigitsOnly(search));
    if (compact.empty()) {
        return false;
    }
    if (invoice.issuer.find(compact) != std::string::npos ||
        invoice.key.find(compact) != std::string::npos) {
        return true;
    }
    const std::size_t first = compact.find_first_not_of('0');
    return invoice.key.size() == 44 &&
           catalog::KeyNumber(invoice.key) ==
               (first == std::string::npos ? "0" : compact.substr(first));
}

std::vector<catalog::ListedInvoice> Filtered(const std::vector<catalog::ListedInvoice>& invoices,
                                             const InvoiceFilter& filter) {
    std::vector<catalog::ListedInvoice> kept;
    std::copy_if(invoices.begin(), invoices.end(), std::back_inserter(kept),
                 [&](const catalog::ListedInvoice& invoice) { return Matches(invoice, filter); });
    return kept;
}

}  // namespace inbox
