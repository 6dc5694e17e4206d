#pragma once

#include <vector>

#include "catalog/catalog.h"

namespace inbox {

// The table's columns, in their first order.
enum class Column {
    issued,
    issuer,
    issuerNumber,
    number,
    value,
    situation,
    manifestation,
    content,
    count  // not a column: how many there are
};

// Sorts by the column, keeping the catalogue's order (newest first, then by key) among equal
// values, so that a sort on the situation keeps each situation's invoices by date.
void SortInvoices(std::vector<catalog::ListedInvoice>& invoices, Column column, bool ascending);

}  // namespace inbox
