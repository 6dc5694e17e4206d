#pragma once

#include <string>
#include <string_view>

namespace danfe {

// How the DANFE writes the invoice's values.

// A decimal of the XML ("1234.5") in the Brazilian way ("1.234,50"), with at least
// minDecimals decimals and no trailing zero beyond them; an empty text stays empty.
std::string Decimal(std::string_view text, int minDecimals);
// A value in reais: two decimals, "0,00" when absent.
std::string Money(std::string_view text);
// The number nNF as nine digits in groups of three ("000.000.101").
std::string InvoiceNumber(std::string_view number);
// The series as three digits.
std::string Series(std::string_view series);
std::string PostalCode(std::string_view text);
// "DD/MM/AAAA" and "HH:MM:SS" of an ISO date or date-time; empty when absent.
std::string DatePart(std::string_view iso);
std::string TimePart(std::string_view iso);
// modFrete with its meaning in the invoice's layout ("1 - Destinatário").
std::string FreightMode(std::string_view mode, std::string_view layout);

}  // namespace danfe
