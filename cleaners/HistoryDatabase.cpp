#include "cleaners/HistoryDatabase.h"

#include <algorithm>
#include <stdexcept>

namespace quillmere {

std::string KeptPageName(const std::string& url) {
  return url + " (its visits; the bookmarked page stays)";
}

bool HasTable(Database& db, std::string_view table) {
  Statement find = db.Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
  find.Bind(1, table);
  return find.Step();
}

void RequireTables(Database& db, std::initializer_list<TableColumns> tables) {
  for (const TableColumns& wanted : tables) {
    if (!HasTable(db, wanted.table))
      throw std::runtime_error(db.path() + " has no table \"" + wanted.table +
                               "\"; it is left as it is.");
    std::vector<std::string> columns;
    Statement info = db.Prepare(std::string("PRAGMA table_info(\"") + wanted.table + "\")");
    while (info.Step()) columns.push_back(info.Text(1));
    for (const char* column : wanted.columns) {
      if (std::find(columns.begin(), columns.end(), column) == columns.end())
        throw std::runtime_error(db.path() + " has no column \"" + column + "\" in its table \"" +
                                 wanted.table + "\"; it is left as it is.");
    }
  }
}

void EmptyTables(Database& db, std::initializer_list<const char*> tables) {
  for (const char* table : tables) {
    if (HasTable(db, table)) db.Execute(std::string("DELETE FROM \"") + table + "\"");
  }
}

void ClearDatabase(const std::string& path, const std::function<DatabaseClear(Database&)>& plan,
                   BatchRemoval& removal, RunReport& report) {
  Database db(path);
  const DatabaseClear clear = plan(db);
  const std::vector<bool> gone = removal.Remove(
      clear.items, [&] { db.WriteWhole([&] { clear.write(db); }); },
      [&] { return clear.remaining(db); });
  for (std::size_t i = 0; i < clear.items.size(); ++i)
    report.ShowStatus((gone[i] ? "Deleted : " : "Could Not Delete : ") + clear.items[i].name);
}

std::optional<std::int64_t> CountIn(const std::string& path,
                                    std::initializer_list<TableColumns> required,
                                    std::string_view sql) {
  try {
    Database db(path);
    RequireTables(db, required);
    Statement count = db.Prepare(sql);
    if (count.Step()) return count.Int(0);
  } catch (const std::exception&) {
    // Held, refused or damaged: the figure is of the histories that can be read.
  }
  return std::nullopt;
}

}  // namespace quillmere
