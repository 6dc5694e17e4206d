#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dfe {

// One document of an answer, still packed: Base64 of its gzip.
struct DocZip {
    std::uint64_t nsu = 0;
    std::string schema;   // e.g. "procNFe_v4.00.xsd"
    std::string content;  // Base64 text, as it came
};

// The service's answer (retDistDFeInt).
struct DistributionAnswer {
    int cStat = 0;
    std::string xMotivo;
    std::string dhResp;
    std::optional<std::uint64_t> lastNsu;  // ultNSU
    std::optional<std::uint64_t> maxNsu;   // maxNSU
    std::vector<DocZip> documents;         // in the answer's order
};

// Status codes of the answer that the route acts on; any other is a refusal, reported as it
// came.
inline constexpr int kDocumentsFound = 138;
inline constexpr int kNoDocuments = 137;
inline constexpr int kExcessiveUse = 656;

// Reads the answer out of the service's SOAP text. Throws AnswerError when the text is not
// XML, holds a SOAP fault instead of an answer, or holds no readable retDistDFeInt.
DistributionAnswer ParseDistributionAnswer(std::string_view soap);

}  // namespace dfe
