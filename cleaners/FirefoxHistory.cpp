#include "cleaners/HistoryDatabase.h"
#include "platform/Paths.h"

namespace quillmere {
namespace {

const std::initializer_list<TableColumns> kPlacesLayout = {
    {"moz_places", {"id", "url", "visit_count", "last_visit_date", "frecency", "origin_id"}},
    {"moz_historyvisits", {"id", "place_id"}},
    {"moz_inputhistory", {"place_id"}},
    {"moz_bookmarks", {"fk"}},
    {"moz_origins", {"id"}}};

// A page no bookmark refers to goes whole; a bookmarked one loses its visits.
constexpr const char* kPagesLosingHistory =
    "SELECT id, url, kept FROM (SELECT id, url, visit_count, last_visit_date, id IN (SELECT fk "
    "FROM moz_bookmarks WHERE fk IS NOT NULL) AS kept FROM moz_places) WHERE NOT kept OR "
    "visit_count > 0 OR last_visit_date IS NOT NULL OR id IN (SELECT place_id FROM "
    "moz_historyvisits)";

// Rows that would only point at what is gone: a page's annotations and interaction
// data, a visit's extra data.
struct Dependent {
  const char* table;
  const char* column;
  const char* parent;
};
constexpr Dependent kDependents[] = {{"moz_annos", "place_id", "moz_places"},
                                     {"moz_places_metadata", "place_id", "moz_places"},
                                     {"moz_places_extra", "place_id", "moz_places"},
                                     {"moz_historyvisits_extra", "visit_id", "moz_historyvisits"}};

bool HasColumn(Database& db, const char* table, const char* column) {
  if (!HasTable(db, table)) return false;
  Statement info = db.Prepare(std::string("PRAGMA table_info(\"") + table + "\")");
  while (info.Step()) {
    if (info.Text(1) == column) return true;
  }
  return false;
}

std::vector<RemovalItem> Pages(Database& db) {
  std::vector<RemovalItem> pages;
  Statement rows = db.Prepare(kPagesLosingHistory);
  while (rows.Step()) {
    const std::string url = rows.Text(1);
    pages.push_back(
        {"moz_places:" + std::to_string(rows.Int(0)), rows.Int(2) ? KeptPageName(url) : url});
  }
  return pages;
}

// Firefox keeps its own triggers in its connection, not in the file: the write does
// what they would (the origins no page needs go) and leaves any trigger the file has
// to run as it is written.
void ClearPlaces(Database& db) {
  db.Execute("DELETE FROM moz_historyvisits");
  db.Execute("DELETE FROM moz_inputhistory");
  db.Execute(
      "DELETE FROM moz_places WHERE id NOT IN (SELECT fk FROM moz_bookmarks WHERE fk IS NOT "
      "NULL)");
  // -1 is the column's own default: a frecency Firefox is still to work out.
  db.Execute("UPDATE moz_places SET visit_count = 0, last_visit_date = NULL, frecency = -1");
  if (HasColumn(db, "moz_places", "recalc_frecency"))
    db.Execute("UPDATE moz_places SET recalc_frecency = 1");
  db.Execute(
      "DELETE FROM moz_origins WHERE id NOT IN (SELECT origin_id FROM moz_places WHERE "
      "origin_id IS NOT NULL)");
  for (const Dependent& dependent : kDependents) {
    if (!HasColumn(db, dependent.table, dependent.column)) continue;
    db.Execute(std::string("DELETE FROM ") + dependent.table + " WHERE " + dependent.column +
               " NOT IN (SELECT id FROM " + dependent.parent + ")");
  }
}

std::set<std::string> Remaining(Database& db) {
  std::set<std::string> keys;
  for (const RemovalItem& page : Pages(db)) keys.insert(page.key);
  return keys;
}

}  // namespace

void ClearFirefoxHistory(const BrowserProfile& profile, const Files& files, BatchRemoval& removal,
                         RunReport& report) {
  const std::string places = JoinPath(profile.folder, "places.sqlite");
  if (!files.Attributes(places)) return;
  ClearOrName(report, [&] {
    ClearDatabase(
        places,
        [](Database& db) {
          RequireTables(db, kPlacesLayout);
          return DatabaseClear{.items = Pages(db), .write = ClearPlaces, .remaining = Remaining};
        },
        removal, report);
  });
}

std::optional<std::int64_t> CountFirefoxPages(const BrowserProfile& profile) {
  return CountIn(JoinPath(profile.folder, "places.sqlite"), kPlacesLayout,
                 "SELECT count(DISTINCT place_id) FROM moz_historyvisits");
}

}  // namespace quillmere
