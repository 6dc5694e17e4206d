#pragma once

#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "danfe/invoice.h"

namespace inbox {

// The detail pane's text for the selected invoice, as plain text: issuer, recipient, totals,
// items (count and the first lines), events and the file. invoice is the full invoice read
// from its file, when it is there; a summary shows what the catalogue knows.
std::string DetailText(const catalog::ListedInvoice& listed,
                       const std::optional<danfe::Invoice>& invoice,
                       const std::vector<catalog::ListedEvent>& events);

// The invoice read from its file; nullopt for a summary or a file that cannot be read.
std::optional<danfe::Invoice> ReadInvoiceFile(const std::filesystem::path& file);

}  // namespace inbox
