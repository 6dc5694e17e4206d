#include "catalog/sqlite.h"

#include <sqlite3.h>

#include "catalog/error.h"

namespace catalog {
namespace {

constexpr int kBusyTimeoutMs = 30000;

[[noreturn]] void Fail(sqlite3* database, std::string_view what) {
    throw CatalogError(std::string(what) + ": " +
                       (database != nullptr ? sqlite3_errmsg(database) : "sem memória"));
}

}  // namespace

Database::Database(const std::filesystem::path& file) {
    const int status = sqlite3_open_v2(file.c_str(), &handle_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (status != SQLITE_OK) {
        const std::string message = handle_ != nullptr ? sqlite3_errmsg(handle_) : "sem memória";
        sqlite3_close(handle_);
        throw CatalogError("O catálogo \"" + file.string() + "\" não pôde ser aberto: " + message);
    }
    sqlite3_extended_result_codes(handle_, 1);
    sqlite3_busy_timeout(handle_, kBusyTimeoutMs);
}

Database::~Database() {
    sqlite3_close(handle_);
}

void Database::Execute(std::string_view sql) {
    char* message = nullptr;
    const std::string text(sql);
    if (sqlite3_exec(handle_, text.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string reason = message != nullptr ? message : sqlite3_errmsg(handle_);
        sqlite3_free(message);
        throw CatalogError("Erro no catálogo: " + reason);
    }
}

std::int64_t Database::Changes() const {
    return sqlite3_changes64(handle_);
}

Statement::Statement(const Database& database, std::string_view sql)
    : database_(database.handle()) {
    if (sqlite3_prepare_v2(database_, sql.data(), static_cast<int>(sql.size()), &statement_,
                           nullptr) != SQLITE_OK) {
        Fail(database_, "Erro no catálogo");
    }
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, std::string_view text) {
    if (sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        Fail(database_, "Erro no catálogo");
    }
    return *this;
}

Statement& Statement::Bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(statement_, index, value) != SQLITE_OK) {
        Fail(database_, "Erro no catálogo");
    }
    return *this;
}

Statement& Statement::Bind(int index, const std::optional<std::string>& text) {
    if (text) {
        return Bind(index, std::string_view(*text));
    }
    sqlite3_bind_null(statement_, index);
    return *this;
}

Statement& Statement::Bind(int index, const std::optional<std::int64_t>& value) {
    if (value) {
        return Bind(index, *value);
    }
    sqlite3_bind_null(statement_, index);
    return *this;
}

bool Statement::Step() {
    const int status = sqlite3_step(statement_);
    if (status == SQLITE_ROW) {
        return true;
    }
    if (status == SQLITE_DONE) {
        return false;
    }
    sqlite3_reset(statement_);
    Fail(database_, "Erro no catálogo");
}

void Statement::Reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::string Statement::Text(int column) const {
    const auto* text = sqlite3_column_text(statement_, column);
    return text != nullptr
               ? std::string(reinterpret_cast<const char*>(text),
                             static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
               : std::string();
}

std::int64_t Statement::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

Transaction::Transaction(Database& database) : database_(database) {
    database_.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (!done_) {
        sqlite3_exec(database_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::Commit() {
    database_.Execute("COMMIT");
    done_ = true;
}

}  // namespace catalog
