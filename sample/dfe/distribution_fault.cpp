#include "sample/dfe/distribution_fault.h"

#include <algorithm>

namespace sample {
namespace {

constexpr DistributionFaultInfo kFaults[] = {
    {DistributionFault::excessiveUse, "excessive-use",
     "656 (consumo indevido) once --burst requests of a CNPJ base were answered; the event "
     "service then holds the base's events for an hour"},
    {DistributionFault::nothingFound, "nothing-found", "137 (no documents) to every request"},
    {DistributionFault::wrongCnpj, "wrong-cnpj",
     "593 (CNPJ base differs from the certificate's) to every request"},
    {DistributionFault::refuseCertificate, "refuse-certificate",
     "the TLS handshake refuses every client certificate"},
    {DistributionFault::brokenGzip, "broken-gzip", "every docZip holds a gzip cut off half-way"},
    {DistributionFault::brokenDocument, "broken-document",
     "in distNSU answers the docZip of NSU 2 is cut off half-way (consNSU gives it whole)"},
    {DistributionFault::slow, "slow", "every answer comes after --slow-seconds"},
    {DistributionFault::htmlError, "html-error",
     "HTTP 503 with an HTML error page instead of the SOAP answer"},
    {DistributionFault::lateInvoice, "late-invoice",
     "a Ciência is registered (135), but the key still gets its summary"},
    {DistributionFault::lateEventAnswer, "late-event-answer",
     "a Ciência is registered, but the event service answers after --slow-seconds"},
};

}  // namespace

std::span<const DistributionFaultInfo> DistributionFaults() {
    return kFaults;
}

std::optional<DistributionFault> DistributionFaultNamed(std::string_view name) {
    const auto found = std::find_if(std::begin(kFaults), std::end(kFaults),
                                    [&](const DistributionFaultInfo& f) { return f.name == name; });
    if (found == std::end(kFaults)) {
        return std::nullopt;
    }
    return found->fault;
}

}  // namespace sample
