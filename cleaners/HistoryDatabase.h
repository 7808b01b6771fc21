#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cleaners/BrowserHistory.h"
#include "platform/Database.h"

namespace quillmere {

// What clearing one history database takes: the items listed before, the write
// itself and what is still there afterwards.
struct DatabaseClear {
  std::vector<RemovalItem> items;
  std::function<void(Database&)> write;
  std::function<std::set<std::string>(Database&)> remaining;
};

// How a bookmarked page is named among the pages that lose their history: the page
// itself stays.
std::string KeptPageName(const std::string& url);

// A table and the columns the clean-up relies on.
struct TableColumns {
  const char* table;
  std::initializer_list<const char*> columns;
};

bool HasTable(Database& db, std::string_view table);

// Throws, naming the database, unless each table is there with its columns: a store
// of another layout is not written to.
void RequireTables(Database& db, std::initializer_list<TableColumns> tables);

// Empties every table of `tables` the database has; a table this version lacks is
// passed over, never made.
void EmptyTables(Database& db, std::initializer_list<const char*> tables);

// Opens the database at `path`, plans with `plan` and carries the write out through
// `removal` in one transaction, the database checked whole before and after; a line
// for each item that went or stayed. Throws DatabaseHeld for a database its browser
// holds and std::runtime_error for one refused or failing.
void ClearDatabase(const std::string& path, const std::function<DatabaseClear(Database&)>& plan,
                   BatchRemoval& removal, RunReport& report);

// The count `sql` gives, or nothing when the database cannot be read now (held by
// its browser, of another layout, damaged).
std::optional<std::int64_t> CountIn(const std::string& path,
                                    std::initializer_list<TableColumns> required,
                                    std::string_view sql);

// Runs `clear`; a database it refuses is named and the profile's others still go,
// while one its browser holds ends the profile (DatabaseHeld passes on).
template <typename Clear>
void ClearOrName(RunReport& report, Clear clear) {
  try {
    clear();
  } catch (const DatabaseHeld&) {
    throw;
  } catch (const std::exception& error) {
    report.ShowError(error.what());
  }
}

// The profile's history, one family's way each.
void ClearChromiumHistory(const BrowserProfile& profile, Files& files, BatchRemoval& removal,
                          RunReport& report);
void ClearFirefoxHistory(const BrowserProfile& profile, const Files& files, BatchRemoval& removal,
                         RunReport& report);
std::optional<std::int64_t> CountChromiumPages(const BrowserProfile& profile);
std::optional<std::int64_t> CountFirefoxPages(const BrowserProfile& profile);

}  // namespace quillmere
