#include "catalog/catalog.h"

#include <array>
#include <fstream>
#include <string_view>

#include "catalog/error.h"

namespace catalog {
namespace {

// "VELL" in ASCII, so that another program's SQLite file is not taken for a catalogue.
constexpr std::int64_t kApplicationId = 0x56454c4c;

// Each step takes the schema from its index to the next version; never edit a released step.
constexpr std::array<std::string_view, Catalog::kSchemaVersion> kMigrations = {
    R"(
CREATE TABLE companies(
    cnpj TEXT PRIMARY KEY,
    holder TEXT NOT NULL,
    certificate TEXT NOT NULL,
    homologation INTEGER NOT NULL,
    folder TEXT NOT NULL,
    password_file TEXT,
    valid_until INTEGER NOT NULL,
    added INTEGER NOT NULL,
    last_synchronised INTEGER);
CREATE TABLE documents(
    id INTEGER PRIMARY KEY,
    key TEXT,
    kind TEXT NOT NULL CHECK (kind IN ('nfe', 'resumo', 'evento', 'outro')),
    nsu INTEGER,
    company TEXT NOT NULL,
    issuer TEXT,
    issuer_name TEXT,
    issued TEXT,
    value_cents INTEGER,
    operation INTEGER,
    situation TEXT CHECK (situation IN ('autorizada', 'cancelada', 'denegada')),
    manifestation TEXT,
    file TEXT NOT NULL UNIQUE,
    received INTEGER NOT NULL);
CREATE UNIQUE INDEX documents_invoice ON documents(key) WHERE kind IN ('nfe', 'resumo');
-- In the listing's order, with the columns its filters test, so that a listing reads the rows
-- it shows and little else.
CREATE INDEX documents_listing ON documents(issued, key, company, situation, kind, issuer_name,
    issuer) WHERE kind IN ('nfe', 'resumo');
CREATE TABLE events(
    id INTEGER PRIMARY KEY,
    document INTEGER NOT NULL REFERENCES documents(id) ON DELETE CASCADE,
    key TEXT NOT NULL,
    type TEXT NOT NULL,
    sequence INTEGER NOT NULL,
    protocol TEXT,
    moment TEXT,
    file TEXT NOT NULL,
    UNIQUE (key, type, sequence));
)",
};

std::int64_t Pragma(Database& database, std::string_view name) {
    Statement statement(database, "PRAGMA " + std::string(name));
    return statement.Step() ? statement.Integer(0) : 0;
}

bool HasTables(Database& database) {
    Statement statement(database, "SELECT count(*) FROM sqlite_schema");
    return statement.Step() && statement.Integer(0) > 0;
}

// SQLite would take an empty file, or one it does not recognise only at the first read; an
// early look at the header refuses anything else before SQLite touches it.
void RequireDatabaseFile(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error) || std::filesystem::file_size(file, error) == 0) {
        return;
    }
    std::ifstream in(file, std::ios::binary);
    std::array<char, 16> header{};
    in.read(header.data(), header.size());
    if (std::string_view(header.data(), header.size()) !=
        std::string_view("SQLite format 3\0", 16)) {
        throw CatalogError("O arquivo \"" + file.string() +
                           "\" não é um catálogo do Vellora: não é um banco de dados SQLite. "
                           "Nada foi alterado.");
    }
}

Database OpenDatabase(const std::filesystem::path& file) {
    std::error_code error;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), error);
    }
    RequireDatabaseFile(file);
    return Database(file);
}

void Prepare(Database& database, const std::filesystem::path& file) {
    const std::string name = "\"" + file.string() + "\"";
    std::int64_t version = 0;
    try {
        database.Execute("PRAGMA foreign_keys = ON");
        version = Pragma(database, "user_version");
        const std::int64_t application = Pragma(database, "application_id");
        if (application != kApplicationId && (application != 0 || HasTables(database))) {
            throw CatalogError("O arquivo " + name +
                               " é um banco de dados de outro programa, não um catálogo do "
                               "Vellora. Nada foi alterado.");
        }
    } catch (const CatalogError& error) {
        if (std::string_view(error.what()).starts_with("O arquivo")) {
            throw;
        }
        throw CatalogError("O catálogo " + name + " está danificado ou não é um banco de dados (" +
                           error.what() + "). Nada foi alterado.");
    }
    if (version > Catalog::kSchemaVersion) {
        throw CatalogError("O catálogo " + name +
                           " foi criado por uma versão mais nova do Vellora "
                           "(esquema " +
                           std::to_string(version) + "; esta versão conhece até o " +
                           std::to_string(Catalog::kSchemaVersion) +
                           "). Atualize o Vellora; o catálogo não foi alterado.");
    }
    database.Execute("PRAGMA journal_mode = WAL");
    // In WAL mode this never corrupts the file; a power cut may lose the last rows, whose files
    // the next import brings back. Syncing every commit would cost a disk flush per document.
    database.Execute("PRAGMA synchronous = NORMAL");
    // Room for the indexes of a large catalogue in memory, taken only as it is used.
    database.Execute("PRAGMA cache_size = -65536");
    database.Execute("PRAGMA mmap_size = 268435456");
    while (version < Catalog::kSchemaVersion) {
        Transaction transaction(database);
        // Another process may have brought it up to date meanwhile.
        version = Pragma(database, "user_version");
        if (version < Catalog::kSchemaVersion) {
            database.Execute(kMigrations[static_cast<std::size_t>(version)]);
            database.Execute("PRAGMA application_id = " + std::to_string(kApplicationId));
            database.Execute("PRAGMA user_version = " + std::to_string(version + 1));
        }
        transaction.Commit();
        version = Pragma(database, "user_version");
    }
}

std::string_view KindName(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::invoice:
            return "nfe";
        case DocumentKind::summary:
            return "resumo";
        case DocumentKind::event:
            return "evento";
        case DocumentKind::other:
            break;
    }
    return "outro";
}

std::optional<std::string> Optional(const std::string& text) {
    return text.empty() ? std::nullopt : std::optional<std::string>(text);
}

Company CompanyAt(const Statement& row) {
    Company company;
    company.cnpj = row.Text(0);
    company.holder = row.Text(1);
    company.certificate = row.Text(2);
    company.homologation = row.Integer(3) != 0;
    company.folder = row.Text(4);
    if (!row.IsNull(5)) {
        company.passwordFile = row.Text(5);
    }
    company.validUntil = row.Integer(6);
    company.added = row.Integer(7);
    if (!row.IsNull(8)) {
        company.lastSynchronised = row.Integer(8);
    }
    return company;
}

constexpr std::string_view kCompanyColumns =
    "cnpj, holder, certificate, homologation, folder, password_file, valid_until, added, "
    "last_synchronised";

RecordOutcome RecordInvoice(Database& database, const DocumentFacts& facts,
                            const Arrival& arrival) {
    Statement existing(
        database, "SELECT id, kind FROM documents WHERE key = ? AND kind IN ('nfe', 'resumo')");
    existing.Bind(1, facts.key);
    const bool known = existing.Step();
    if (known && (existing.Text(1) == "nfe" || facts.kind == DocumentKind::summary)) {
        return RecordOutcome::known;
    }
    Statement cancelled(database, "SELECT 1 FROM events WHERE key = ? AND type = '110111' LIMIT 1");
    cancelled.Bind(1, facts.key);
    const Situation situation = cancelled.Step() ? Situation::cancelled : facts.situation;
    Statement manifested(database,
                         "SELECT type FROM events WHERE key = ? AND type IN ('210200', '210210', "
                         "'210220', '210240') ORDER BY moment DESC LIMIT 1");
    manifested.Bind(1, facts.key);
    const std::optional<std::string> manifestation =
        manifested.Step() ? Optional(std::string(ManifestationOf(manifested.Text(0))))
                          : std::nullopt;

    Statement write(database,
                    known ? "UPDATE documents SET key = ?1, kind = ?2, nsu = coalesce(?3, nsu), "
                            "company = ?4, issuer = ?5, issuer_name = ?6, issued = ?7, "
                            "value_cents = ?8, operation = ?9, situation = ?10, "
                            "manifestation = coalesce(?11, manifestation), file = ?12, "
                            "received = ?13 WHERE id = ?14"
                          : "INSERT INTO documents(key, kind, nsu, company, issuer, issuer_name, "
                            "issued, value_cents, operation, situation, manifestation, file, "
                            "received) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
                            "?13)");
    write.Bind(1, facts.key)
        .Bind(2, KindName(facts.kind))
        .Bind(3, arrival.nsu)
        .Bind(4, arrival.company)
        .Bind(5, facts.issuer)
        .Bind(6, facts.issuerName)
        .Bind(7, facts.issued)
        .Bind(8, facts.valueCents)
        .Bind(9, facts.operation ? std::optional<std::int64_t>(*facts.operation) : std::nullopt)
        .Bind(10, SituationName(situation))
        .Bind(11, manifestation)
        .Bind(12, arrival.file.string())
        .Bind(13, arrival.received);
    if (known) {
        write.Bind(14, existing.Integer(0));
    }
    write.Step();
    return RecordOutcome::recorded;
}

RecordOutcome RecordEvent(Database& database, const DocumentFacts& facts, const Arrival& arrival) {
    Statement existing(database,
                       "SELECT 1 FROM events WHERE key = ? AND type = ? AND sequence = ?");
    existing.Bind(1, facts.key).Bind(2, facts.eventType).Bind(3, std::int64_t{facts.sequence});
    if (existing.Step()) {
        return RecordOutcome::known;
    }
    Statement document(database,
                       "INSERT INTO documents(key, kind, nsu, company, file, received) "
                       "VALUES (?, 'evento', ?, ?, ?, ?)");
    document.Bind(1, facts.key)
        .Bind(2, arrival.nsu)
        .Bind(3, arrival.company)
        .Bind(4, arrival.file.string())
        .Bind(5, arrival.received)
        .Step();
    Statement event(database,
                    "INSERT INTO events(document, key, type, sequence, protocol, moment, file) "
                    "VALUES (last_insert_rowid(), ?, ?, ?, ?, ?, ?)");
    event.Bind(1, facts.key)
        .Bind(2, facts.eventType)
        .Bind(3, std::int64_t{facts.sequence})
        .Bind(4, Optional(facts.protocol))
        .Bind(5, Optional(facts.moment))
        .Bind(6, arrival.file.string())
        .Step();
    if (facts.eventType == kCancellationEvent) {
        Statement cancel(database,
                         "UPDATE documents SET situation = 'cancelada' WHERE key = ? AND kind IN "
                         "('nfe', 'resumo')");
        cancel.Bind(1, facts.key).Step();
    }
    if (const std::string_view manifestation = ManifestationOf(facts.eventType);
        !manifestation.empty()) {
        Statement manifest(database,
                           "UPDATE documents SET manifestation = ? WHERE key = ? AND kind IN "
                           "('nfe', 'resumo')");
        manifest.Bind(1, manifestation).Bind(2, facts.key).Step();
    }
    return RecordOutcome::recorded;
}

}  // namespace

std::string_view SituationName(Situation situation) {
    switch (situation) {
        case Situation::cancelled:
            return "cancelada";
        case Situation::denied:
            return "denegada";
        case Situation::authorised:
            break;
    }
    return "autorizada";
}

std::optional<Situation> SituationNamed(std::string_view name) {
    for (const Situation situation :
         {Situation::authorised, Situation::cancelled, Situation::denied}) {
        if (SituationName(situation) == name) {
            return situation;
        }
    }
    return std::nullopt;
}

Catalog::Catalog(const std::filesystem::path& file) : database_(OpenDatabase(file)) {
    Prepare(database_, file);
}

void Catalog::SaveCompany(const Company& company) {
    Transaction transaction(database_);
    Statement save(database_, "INSERT OR REPLACE INTO companies(" + std::string(kCompanyColumns) +
                                  ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
    save.Bind(1, company.cnpj)
        .Bind(2, company.holder)
        .Bind(3, company.certificate.string())
        .Bind(4, std::int64_t{company.homologation ? 1 : 0})
        .Bind(5, company.folder.string())
        .Bind(6, company.passwordFile ? std::optional<std::string>(company.passwordFile->string())
                                      : std::nullopt)
        .Bind(7, company.validUntil)
        .Bind(8, company.added)
        .Bind(9, company.lastSynchronised)
        .Step();
    transaction.Commit();
}

bool Catalog::RemoveCompany(const std::string& cnpj) {
    Transaction transaction(database_);
    Statement remove(database_, "DELETE FROM companies WHERE cnpj = ?");
    remove.Bind(1, cnpj).Step();
    const bool removed = database_.Changes() > 0;
    transaction.Commit();
    return removed;
}

std::optional<Company> Catalog::FindCompany(const std::string& cnpj) {
    Statement find(database_,
                   "SELECT " + std::string(kCompanyColumns) + " FROM companies WHERE cnpj = ?");
    find.Bind(1, cnpj);
    return find.Step() ? std::optional<Company>(CompanyAt(find)) : std::nullopt;
}

std::vector<Company> Catalog::Companies() {
    Statement all(database_,
                  "SELECT " + std::string(kCompanyColumns) + " FROM companies ORDER BY cnpj");
    std::vector<Company> companies;
    while (all.Step()) {
        companies.push_back(CompanyAt(all));
    }
    return companies;
}

void Catalog::MarkSynchronised(const std::string& cnpj, std::int64_t when) {
    Statement mark(database_, "UPDATE companies SET last_synchronised = ? WHERE cnpj = ?");
    mark.Bind(1, when).Bind(2, cnpj).Step();
}

RecordOutcome Catalog::Record(const DocumentFacts& facts, const Arrival& arrival) {
    Transaction transaction(database_);
    RecordOutcome outcome = RecordOutcome::known;
    if (IsRecorded(arrival.file)) {
        outcome = RecordOutcome::known;
    } else if (facts.kind == DocumentKind::invoice || facts.kind == DocumentKind::summary) {
        outcome = RecordInvoice(database_, facts, arrival);
    } else if (facts.kind == DocumentKind::event) {
        outcome = RecordEvent(database_, facts, arrival);
    } else {
        Statement other(database_,
                        "INSERT INTO documents(kind, nsu, company, file, received) "
                        "VALUES ('outro', ?, ?, ?, ?)");
        other.Bind(1, arrival.nsu)
            .Bind(2, arrival.company)
            .Bind(3, arrival.file.string())
            .Bind(4, arrival.received)
            .Step();
        outcome = RecordOutcome::recorded;
    }
    transaction.Commit();
    return outcome;
}

bool Catalog::IsRecorded(const std::filesystem::path& file) {
    Statement find(database_, "SELECT 1 FROM documents WHERE file = ?");
    find.Bind(1, file.string());
    return find.Step();
}

std::vector<ListedInvoice> Catalog::Invoices(const DocumentFilter& filter) {
    std::string sql =
        "SELECT key, kind, issued, issuer, issuer_name, value_cents, situation, manifestation, "
        "company, file FROM documents WHERE kind IN ('nfe', 'resumo')";
    std::vector<std::string> values;
    const auto where = [&](std::string_view condition, std::string value) {
        sql += " AND ";
        sql += condition;
        values.push_back(std::move(value));
    };
    if (!filter.company.empty()) {
        where("company = ?", filter.company);
    }
    if (!filter.from.empty()) {
        where("issued >= ?", filter.from);
    }
    if (!filter.until.empty()) {
        // The day as a whole, whatever is written after it.
        where("issued < ? || 'T'", filter.until);
    }
    if (!filter.issuer.empty()) {
        where("(issuer_name LIKE '%' || ? || '%' OR issuer LIKE '%' || ? || '%')", filter.issuer);
        values.push_back(filter.issuer);
    }
    if (filter.situation) {
        where("situation = ?", std::string(SituationName(*filter.situation)));
    }
    if (filter.summariesOnly) {
        sql += " AND kind = 'resumo'";
    }
    sql += " ORDER BY issued DESC, key DESC";
    Statement list(database_, sql);
    for (std::size_t i = 0; i < values.size(); ++i) {
        list.Bind(static_cast<int>(i + 1), values[i]);
    }
    std::vector<ListedInvoice> invoices;
    while (list.Step()) {
        ListedInvoice invoice;
        invoice.key = list.Text(0);
        invoice.full = list.Text(1) == "nfe";
        invoice.issued = list.Text(2);
        invoice.issuer = list.Text(3);
        invoice.issuerName = list.Text(4);
        invoice.valueCents = list.Integer(5);
        invoice.situation = SituationNamed(list.Text(6)).value_or(Situation::authorised);
        invoice.manifestation = list.Text(7);
        invoice.company = list.Text(8);
        invoice.file = list.Text(9);
        invoices.push_back(std::move(invoice));
    }
    return invoices;
}

std::vector<ListedEvent> Catalog::Events(const std::string& key) {
    Statement list(database_,
                   "SELECT type, sequence, protocol, moment, file FROM events WHERE key = ? "
                   "ORDER BY moment, type, sequence");
    list.Bind(1, key);
    std::vector<ListedEvent> events;
    while (list.Step()) {
        events.push_back({list.Text(0), static_cast<int>(list.Integer(1)), list.Text(2),
                          list.Text(3), list.Text(4)});
    }
    return events;
}

}  // namespace catalog
