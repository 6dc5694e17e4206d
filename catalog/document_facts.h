#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace catalog {

enum class DocumentKind { invoice, summary, event, other };
enum class Situation { authorised, cancelled, denied };

// What the catalogue keeps of an NF-e document, read from its XML.
struct DocumentFacts {
    DocumentKind kind = DocumentKind::other;
    std::string key;  // the invoice's access key; empty for other
    // Invoices and summaries.
    std::string issuer;      // CNPJ or CPF, as written
    std::string issuerName;  // xNome
    std::string issued;      // AAAA-MM-DD of dhEmi (or dEmi)
    std::int64_t valueCents = 0;
    std::optional<int> operation;  // tpNF: 0 entrada, 1 saída
    Situation situation = Situation::authorised;
    // Events.
    std::string eventType;  // tpEvento
    int sequence = 0;
    std::string protocol;  // nProt
    std::string moment;    // dhEvento as written
};

// An XML text that is not one of procNFe (nfeProc), resNFe, procEventoNFe or resEvento.
class NotAnNFeDocument : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the facts of the document; throws NotAnNFeDocument.
DocumentFacts ReadDocumentFacts(std::string_view xml);

// The invoice's number and series from its access key.
std::string KeyNumber(std::string_view key);
std::string KeySeries(std::string_view key);

// Event types that change an invoice: its cancellation and the recipient's manifestations.
inline constexpr std::string_view kCancellationEvent = "110111";
// The recipient's manifestation that the event type records, or "" for other events.
std::string_view ManifestationOf(std::string_view eventType);

}  // namespace catalog
