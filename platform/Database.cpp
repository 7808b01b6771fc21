#include "platform/Database.h"

#include <sqlite3.h>

#include <utility>

namespace quillmere {
namespace {

// How long a statement waits for a lock another connection holds before the
// database counts as held. A browser holds its store while it runs, so waiting
// longer would only keep the user waiting.
constexpr int kBusyTimeoutMs = 250;

// A database another program locks is busy or locked; on Windows its file may be
// open with no sharing, which makes it one that cannot be opened at all.
bool IsHeld(sqlite3* db, int code) {
  const int primary = code & 0xff;
  if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) return true;
#ifdef _WIN32
  constexpr int kErrorSharingViolation = 32;
  constexpr int kErrorLockViolation = 33;
  if (primary != SQLITE_CANTOPEN || !db) return false;
  const int system = sqlite3_system_errno(db);
  return system == kErrorSharingViolation || system == kErrorLockViolation;
#else
  (void)db;
  return false;
#endif
}

[[noreturn]] void Throw(sqlite3* db, const std::string& path, int code) {
  const std::string message = path + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code)) +
                              " (SQLite " + std::to_string(code) + ")";
  if (IsHeld(db, code)) throw DatabaseHeld(message, code);
  throw DatabaseError(message, code);
}

}  // namespace

Database::Database(std::string path, Open open) : path_(std::move(path)) {
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE;
  if (open == Open::kCreate) flags |= SQLITE_OPEN_CREATE;
  const int opened = sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr);
  if (opened != SQLITE_OK) {
    // The handle comes even when the open fails; its message says why.
    struct Closer {
      sqlite3* db;
      ~Closer() { sqlite3_close(db); }
    } const closer{std::exchange(db_, nullptr)};
    Throw(closer.db, path_, opened);
  }
  try {
    Check(sqlite3_busy_timeout(db_, kBusyTimeoutMs));
    // Nothing we run may rewrite the schema's text behind SQLite's back.
    Check(sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr));
    KeepJournals();
  } catch (...) {
    sqlite3_close(db_);
    throw;
  }
}

Database::~Database() { sqlite3_close(db_); }

// SQLite would delete a write-ahead log when its last connection closes, and a
// rollback journal when a transaction ends: both may be the browser's own files.
void Database::KeepJournals() {
  Statement mode = Prepare("PRAGMA journal_mode");
  const bool wal = mode.Step() && mode.Text(0) == "wal";
  if (wal) {
    int persist = 1;
    Check(sqlite3_file_control(db_, "main", SQLITE_FCNTL_PERSIST_WAL, &persist));
  } else {
    Execute("PRAGMA journal_mode = TRUNCATE");
  }
}

void Database::Check(int code) const {
  if (code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE) Throw(db_, path_, code);
}

Statement Database::Prepare(std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  const int prepared =
      sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &statement, nullptr);
  if (prepared != SQLITE_OK) {
    sqlite3_finalize(statement);
    Check(prepared);
  }
  return Statement(*this, statement);
}

void Database::Execute(std::string_view sql) {
  Statement statement = Prepare(sql);
  while (statement.Step()) {
  }
}

void Database::CheckIntegrity() {
  Statement check = Prepare("PRAGMA integrity_check");
  const std::string first = check.Step() ? check.Text(0) : "no answer";
  if (first != "ok") {
    throw DatabaseError(path_ + ": SQLite finds the database damaged (" + first + ")",
                        SQLITE_CORRUPT);
  }
}

void Database::WriteWhole(const std::function<void()>& write) {
  Transaction transaction(*this);
  CheckIntegrity();  // a damaged database is not written to
  write();
  CheckIntegrity();
  transaction.Commit();
}

int Database::Changes() const { return sqlite3_changes(db_); }

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement::Statement(Statement&& other) noexcept
    : database_(other.database_), statement_(std::exchange(other.statement_, nullptr)) {}

void Statement::Bind(int parameter, std::int64_t value) {
  database_->Check(sqlite3_bind_int64(statement_, parameter, value));
}

void Statement::Bind(int parameter, std::string_view text) {
  database_->Check(sqlite3_bind_text64(statement_, parameter, text.data(), text.size(),
                                       SQLITE_TRANSIENT, SQLITE_UTF8));
}

bool Statement::Step() {
  const int stepped = sqlite3_step(statement_);
  database_->Check(stepped);
  return stepped == SQLITE_ROW;
}

void Statement::Reset() {
  sqlite3_reset(statement_);  // repeats the last step's error, which Step already reported
  sqlite3_clear_bindings(statement_);
}

std::int64_t Statement::Int(int column) const { return sqlite3_column_int64(statement_, column); }

std::string Statement::Text(int column) const {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  return text
             ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)))
             : std::string();
}

Transaction::Transaction(Database& database) : database_(database) {
  database_.Execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (!open_) return;
  try {
    database_.Execute("ROLLBACK");
  } catch (const DatabaseError&) {
    // A failed statement may already have ended the transaction; there is nothing
    // left to undo then.
  }
}

void Transaction::Commit() {
  database_.Execute("COMMIT");
  open_ = false;
}

}  // namespace quillmere
