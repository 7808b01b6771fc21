#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace quillmere {

// A database that answered with something other than success: the message names
// the database's path and gives SQLite's own text.
class DatabaseError : public std::runtime_error {
 public:
  DatabaseError(const std::string& message, int code) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }  // SQLite's extended result code

 private:
  int code_;
};

// The database is held by another program (its file opened with no sharing, or
// locked) for longer than the short wait we allow: an answer, not a fault to retry.
class DatabaseHeld : public DatabaseError {
 public:
  using DatabaseError::DatabaseError;
};

class Statement;

// One connection to an existing SQLite database, which it never creates, copies or
// replaces. The journal files another program keeps beside it stay where they are:
// a write-ahead log is kept when the connection closes, and a rollback journal is
// truncated rather than deleted.
class Database {
 public:
  enum class Open { kExisting, kCreate };  // kCreate only makes databases for tests

  // Throws DatabaseHeld or DatabaseError (a path with no database among them).
  explicit Database(std::string path, Open open = Open::kExisting);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  const std::string& path() const { return path_; }

  Statement Prepare(std::string_view sql);
  // Runs statements that give no rows (or whose rows are of no interest).
  void Execute(std::string_view sql);
  // Throws DatabaseError unless SQLite finds the whole database sound.
  void CheckIntegrity();
  // Runs `write` in one transaction on a database SQLite finds whole, and commits it
  // only when the database is whole afterwards; otherwise rolls back and throws.
  void WriteWhole(const std::function<void()>& write);
  // The rows the last statement changed.
  int Changes() const;

  // Throws for any `code` but success, a row or the end of the rows.
  void Check(int code) const;

 private:
  void KeepJournals();

  std::string path_;
  sqlite3* db_ = nullptr;
};

// One prepared statement, finalised when it goes. Parameters are bound, never
// written into the SQL; columns and parameters count from 0 and 1, as in SQLite.
class Statement {
 public:
  Statement(Database& database, sqlite3_stmt* statement)
      : database_(&database), statement_(statement) {}
  ~Statement();
  Statement(Statement&& other) noexcept;
  Statement& operator=(Statement&&) = delete;
  Statement(const Statement&) = delete;

  void Bind(int parameter, std::int64_t value);
  void Bind(int parameter, std::string_view text);
  // True when a row is ready; false at the end. Throws on any other answer.
  bool Step();
  void Reset();

  std::int64_t Int(int column) const;
  std::string Text(int column) const;

 private:
  Database* database_;
  sqlite3_stmt* statement_;
};

// One explicit transaction, rolled back unless it was committed.
class Transaction {
 public:
  explicit Transaction(Database& database);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void Commit();

 private:
  Database& database_;
  bool open_ = true;
};

}  // namespace quillmere
