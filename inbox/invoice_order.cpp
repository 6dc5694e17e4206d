#include "inbox/invoice_order.h"

#include <algorithm>
#include <tuple>

#include "catalog/document_facts.h"
#include "text/ascii_case.h"

namespace inbox {
namespace {

// The number and series as numbers, so that nº 9 comes before nº 10.
std::tuple<long long, long long> NumberAndSeries(const std::string& key) {
    if (key.size() != 44) {
        return {0, 0};
    }
    return {std::stoll(catalog::KeyNumber(key)), std::stoll(catalog::KeySeries(key))};
}

// -1, 0 or 1 as a is before, beside or after b in the column's ascending order.
int Compare(const catalog::ListedInvoice& a, const catalog::ListedInvoice& b, Column column) {
    const auto order = [](const auto& x, const auto& y) { return x < y ? -1 : y < x ? 1 : 0; };
    switch (column) {
        case Column::issued:
            return order(a.issued, b.issued);
        case Column::issuer:
            return order(text::AsciiUpperCase(a.issuerName), text::AsciiUpperCase(b.issuerName));
        case Column::issuerNumber:
            return order(a.issuer, b.issuer);
        case Column::number:
            return order(NumberAndSeries(a.key), NumberAndSeries(b.key));
        case Column::value:
            return order(a.valueCents, b.valueCents);
        case Column::situation:
            return order(catalog::SituationName(a.situation), catalog::SituationName(b.situation));
        case Column::manifestation:
            return order(a.manifestation, b.manifestation);
        case Column::content:
            return order(a.full, b.full);
        case Column::count:
            break;
    }
    return 0;
}

}  // namespace

void SortInvoices(std::vector<catalog::ListedInvoice>& invoices, Column column, bool ascending) {
    std::stable_sort(invoices.begin(), invoices.end(),
                     [&](const catalog::ListedInvoice& a, const catalog::ListedInvoice& b) {
                         const int compared = Compare(a, b, column);
                         return ascending ? compared < 0 : compared > 0;
                     });
}

}  // namespace inbox
