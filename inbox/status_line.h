#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalog/catalog.h"
#include "dfe/clock.h"

namespace inbox {

// "R$ 1.234.567,89".
std::string Reais(std::int64_t cents);

// "128 notas · 12 só resumo · 3 canceladas · total R$ 1.234.567,89".
std::string StatusLine(const std::vector<catalog::ListedInvoice>& invoices);

// "Última sincronização: 11/12/2026 08:00 · próxima consulta a partir de 11/12/2026 09:00",
// or that the company was never synchronised. The service asks an hour between queries
// that found nothing new.
std::string SynchronisationLine(const std::optional<std::int64_t>& lastSynchronised);

// The certificate's validity beside the company's name, and whether it asks for attention:
// from 30 days before it ends.
struct CertificateValidity {
    std::string text;  // "certificado válido até 10/12/2027 (364 dias)"
    bool warning = false;
};
CertificateValidity ValidityOf(std::int64_t validUntil, dfe::Time now);

}  // namespace inbox
