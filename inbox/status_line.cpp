#include "inbox/status_line.h"

#include <chrono>

#include "catalog/invoice_csv.h"
#include "dfe/local_time.h"

namespace inbox {
namespace {

std::string Count(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + (count == 1 ? one : many);
}

dfe::Time Moment(std::int64_t seconds) {
    return dfe::Time{std::chrono::seconds(seconds)};
}

}  // namespace

std::string Reais(std::int64_t cents) {
    return "R$ " + catalog::CentsText(cents, true);
}

std::string StatusLine(const std::vector<catalog::ListedInvoice>& invoices) {
    std::size_t summaries = 0;
    std::size_t cancelled = 0;
    std::int64_t total = 0;
    for (const catalog::ListedInvoice& invoice : invoices) {
        summaries += invoice.full ? 0 : 1;
        cancelled += invoice.situation == catalog::Situation::cancelled ? 1 : 0;
        total += invoice.valueCents;
    }
    return Count(invoices.size(), " nota", " notas") + " · " + std::to_string(summaries) +
           " só resumo · " + Count(cancelled, " cancelada", " canceladas") + " · total " +
           Reais(total);
}

std::string SynchronisationLine(const std::optional<std::int64_t>& lastSynchronised) {
    if (!lastSynchronised) {
        return "Nunca sincronizada";
    }
    const dfe::Time last = Moment(*lastSynchronised);
    return "Última sincronização: " + dfe::LocalDateTimeText(last) +
           " · próxima consulta a partir de " +
           dfe::LocalDateTimeText(last + std::chrono::hours(1));
}

CertificateValidity ValidityOf(std::int64_t validUntil, dfe::Time now) {
    const dfe::Time until = Moment(validUntil);
    if (until <= now) {
        return {"certificado vencido em " + dfe::LocalDateText(until), true};
    }
    const auto days = std::chrono::duration_cast<std::chrono::hours>(until - now).count() / 24;
    return {"certificado válido até " + dfe::LocalDateText(until) + " (" +
                Count(static_cast<std::size_t>(days), " dia", " dias") + ")",
            days <= 30};
}

}  // namespace inbox
