#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "dfe/party.h"

namespace dfe {

enum class Environment { production = 1, homologation = 2 };

// Everything new after an NSU (distNSU/ultNSU).
struct DistNsu {
    std::uint64_t lastNsu = 0;
};
// The one document of an NSU (consNSU/NSU).
struct ConsNsu {
    std::uint64_t nsu = 0;
};
// The documents of one invoice (consChNFe/chNFe).
struct ConsChNFe {
    std::string key;  // 44 digits
};
using DistributionQuery = std::variant<DistNsu, ConsNsu, ConsChNFe>;

// One request to the distribution service (distDFeInt, version 1.01).
struct DistributionRequest {
    Environment environment = Environment::production;
    std::optional<int> authorState;  // cUFAutor: the IBGE code of the asking party's state
    Party party;
    DistributionQuery query;
};

// The SOAP 1.2 envelope that carries the request: nfeDistDFeInteresse › nfeDadosMsg ›
// distDFeInt, as UTF-8 text.
std::string DistributionEnvelope(const DistributionRequest& request);

// The Content-Type of the service's SOAP 1.2 requests, with its action.
extern const std::string_view kDistributionContentType;

// An NSU as the messages write it: 15 digits with zeros in front.
std::string NsuText(std::uint64_t nsu);

}  // namespace dfe
