#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "catalog/catalog.h"

namespace catalog {

// The listed invoices as Brazilian spreadsheets open them: a byte-order mark, a header line,
// ";" between fields, decimal comma, CR LF line ends, texts quoted.
void WriteInvoicesCsv(std::ostream& out, const std::vector<ListedInvoice>& invoices);

// Small pieces of the listing that the command line and the window share.
std::string DayText(const std::string& day);              // "2026-03-15" as "15/03/2026"
std::string PartyText(const std::string& number);         // a CNPJ or CPF, formatted when valid
std::string CentsText(std::int64_t cents, bool grouped);  // "1.234,56" or "1234,56"

}  // namespace catalog
