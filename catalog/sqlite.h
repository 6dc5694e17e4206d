#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace catalog {

// A database connection, closed with the object. Every failure throws CatalogError.
class Database {
public:
    // Opens (creating when missing) the file, with foreign keys on and a busy timeout so that
    // other processes writing at the same time are waited for rather than failed.
    explicit Database(const std::filesystem::path& file);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Execute(std::string_view sql);
    sqlite3* handle() const { return handle_; }
    std::int64_t Changes() const;

private:
    sqlite3* handle_ = nullptr;
};

// A prepared statement; values are bound by position from 1 and read by column from 0.
class Statement {
public:
    Statement(const Database& database, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::string_view text);
    Statement& Bind(int index, const std::string& text) {
        return Bind(index, std::string_view(text));
    }
    Statement& Bind(int index, const char* text) { return Bind(index, std::string_view(text)); }
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, const std::optional<std::string>& text);
    Statement& Bind(int index, const std::optional<std::int64_t>& value);
    // Runs one step: true while a row is there to read.
    bool Step();
    void Reset();

    std::string Text(int column) const;
    std::int64_t Integer(int column) const;
    bool IsNull(int column) const;

private:
    sqlite3* database_;
    sqlite3_stmt* statement_ = nullptr;
};

// BEGIN IMMEDIATE, so that two writers wait for each other instead of failing halfway; rolled
// back unless Commit() was called.
class Transaction {
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

private:
    Database& database_;
    bool done_ = false;
};

}  // namespace catalog
