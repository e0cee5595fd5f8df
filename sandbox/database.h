#pragma once
// A small RAII layer over one SQLite connection. The connection is not thread-safe by itself:
// every use of Prepare and of the statements it hands out must happen under Lock().

#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace sandbox {

// One use of a cached prepared statement; resets and clears it on destruction.
class Statement {
 public:
  explicit Statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();

  // Parameters are numbered from 1, as in SQL text.
  Statement& Bind(int index, std::int64_t value);
  Statement& Bind(int index, std::string_view value);
  // Steps once; true while a row is available, false when done. Throws on an SQL error.
  bool Step();
  // Runs a statement that returns no rows (or ignores them).
  void Run();
  std::int64_t Int(int column) const;
  std::string Text(int column) const;

 private:
  sqlite3_stmt* stmt_;
};

class Database {
 public:
  // Opens (and creates) the database at path; ":memory:" is a private in-memory database.
  // Throws std::runtime_error when it cannot be opened.
  explicit Database(const std::string& path);
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

  // Runs SQL without parameters (schema, pragmas, transaction control). Throws on error.
  void Exec(const std::string& sql);
  // A statement prepared once per SQL text and reused afterwards.
  Statement Prepare(const std::string& sql);
  std::int64_t LastInsertId() const;
  int Changes() const;

 private:
  struct StatementDeleter {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
  };

  std::mutex mutex_;
  sqlite3* db_ = nullptr;
  std::map<std::string, std::unique_ptr<sqlite3_stmt, StatementDeleter>, std::less<>> cache_;
};

// BEGIN IMMEDIATE ... COMMIT; rolls back when destroyed without Commit(). Use under Lock().
class Transaction {
 public:
  explicit Transaction(Database& db);
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  ~Transaction();
  void Commit();

 private:
  Database& db_;
  bool done_ = false;
};

}  // namespace sandbox
