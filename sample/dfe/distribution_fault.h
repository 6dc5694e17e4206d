#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace sample {

// Ways in which the sample distribution service misbehaves on purpose, for the tests of the
// program's messages. A mode applies to every request.
enum class DistributionFault {
    none,
    excessiveUse,       // 656 once a burst of requests has been answered
    nothingFound,       // 137 to every request
    wrongCnpj,          // 593 to every request
    refuseCertificate,  // the handshake refuses every client certificate
    brokenGzip,         // every docZip's gzip is cut off half-way
    brokenDocument,     // in distNSU answers, the docZip of NSU 2 is cut off half-way
    slow,               // every answer comes after some seconds
    htmlError,          // HTTP 503 with an HTML error page instead of SOAP
    lateInvoice,        // a Ciência is registered, but the full invoice never comes
    lateEventAnswer,    // a Ciência is registered, but its answer comes after some seconds
};

struct DistributionFaultInfo {
    DistributionFault fault;
    std::string_view name;  // as given to --fault
    std::string_view description;
};

// Every mode but none, in a fixed order.
std::span<const DistributionFaultInfo> DistributionFaults();
std::optional<DistributionFault> DistributionFaultNamed(std::string_view name);

}  // namespace sample
