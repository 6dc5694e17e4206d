#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "catalog/document_facts.h"
#include "catalog/sqlite.h"

namespace catalog {

// A company an office serves, under its CNPJ.
struct Company {
    std::string cnpj;  // 14 characters, as the certificate gives it
    std::string holder;
    std::filesystem::path certificate;
    bool homologation = false;
    std::filesystem::path folder;  // where its documents go, one folder per CNPJ below it
    // A file holding the certificate's password, for machines without a secret store.
    std::optional<std::filesystem::path> passwordFile;
    std::int64_t validUntil = 0;  // the certificate's end, in seconds since 1970
    std::int64_t added = 0;
    std::optional<std::int64_t> lastSynchronised;
};

// Where and when a document came.
struct Arrival {
    std::string company;  // the CNPJ (or CPF) it came for
    std::optional<std::int64_t> nsu;
    std::filesystem::path file;
    std::int64_t received = 0;  // seconds since 1970
};

enum class RecordOutcome { recorded, known };

// What a listing asks for; empty fields ask for everything.
struct DocumentFilter {
    std::string company;
    std::string from;    // AAAA-MM-DD, inclusive
    std::string until;   // AAAA-MM-DD, inclusive
    std::string issuer;  // part of the issuer's name or its CNPJ/CPF, any case
    std::optional<Situation> situation;
    bool summariesOnly = false;
};

// An invoice as listed: the full one, or its summary while only that came.
struct ListedInvoice {
    std::string key;
    bool full = false;
    std::string issued;
    std::string issuer;
    std::string issuerName;
    std::int64_t valueCents = 0;
    Situation situation = Situation::authorised;
    std::string manifestation;  // "" when none was registered
    std::string company;
    std::filesystem::path file;
};

// An event recorded for an invoice (its cancellation, a manifestation, a correction…).
struct ListedEvent {
    std::string type;  // tpEvento
    int sequence = 0;
    std::string protocol;
    std::string moment;  // dhEvento as written
    std::filesystem::path file;
};

// The catalogue of companies and documents, in one SQLite file that several processes may
// use at once. Every failure throws CatalogError with a message for the user.
class Catalog {
public:
    // Opens the file, creating it (and its folder) when missing and bringing an older schema
    // up to date. A file that is not a database, not this program's catalogue, damaged, or of
    // a newer schema is refused and left untouched.
    explicit Catalog(const std::filesystem::path& file);

    void SaveCompany(const Company& company);  // adds or replaces
    bool RemoveCompany(const std::string& cnpj);
    std::optional<Company> FindCompany(const std::string& cnpj);
    std::vector<Company> Companies();
    void MarkSynchronised(const std::string& cnpj, std::int64_t when);

    // Records the document in one transaction. An invoice's full file replaces its summary;
    // a summary never replaces the full file; a cancellation marks its invoice cancelled and
    // a manifestation sets the recipient's state, also when the invoice comes later.
    RecordOutcome Record(const DocumentFacts& facts, const Arrival& arrival);
    bool IsRecorded(const std::filesystem::path& file);

    // Newest first.
    std::vector<ListedInvoice> Invoices(const DocumentFilter& filter);
    // The events of the invoice with that key, oldest first.
    std::vector<ListedEvent> Events(const std::string& key);

    static constexpr int kSchemaVersion = 1;

private:
    Database database_;
};

std::string_view SituationName(Situation situation);  // "autorizada", "cancelada", "denegada"
std::optional<Situation> SituationNamed(std::string_view name);

}  // namespace catalog
