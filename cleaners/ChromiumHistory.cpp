#include <stdexcept>

#include "cleaners/HistoryDatabase.h"
#include "common/Json.h"
#include "platform/Paths.h"

namespace quillmere {
namespace {

// Larger bookmark files are no browser's: the history is then left alone, since
// the pages to keep cannot be known.
constexpr std::size_t kMaxBookmarksBytes = 64u << 20;

// Every row of these goes; each version has some of them.
constexpr std::initializer_list<const char*> kHistoryTables = {"visits",
                                                               "visit_source",
                                                               "keyword_search_terms",
                                                               "segments",
                                                               "segment_usage",
                                                               "visited_links",
                                                               "downloads",
                                                               "downloads_url_chains",
                                                               "downloads_slices",
                                                               "content_annotations",
                                                               "context_annotations",
                                                               "clusters",
                                                               "clusters_and_visits",
                                                               "cluster_keywords",
                                                               "cluster_visit_duplicates"};

const std::initializer_list<TableColumns> kHistoryLayout = {
    {"meta", {"key", "value"}}, {"urls", {"id", "url"}}, {"visits", {"id", "url"}}};

void CollectBookmarks(const JsonValue& node, std::set<std::string>& urls) {
  const JsonValue* type = node.Member("type");
  const JsonValue* url = node.Member("url");
  if (type && type->text == "url" && url && url->kind == JsonValue::Kind::kString)
    urls.insert(url->text);
  if (const JsonValue* children = node.Member("children")) {
    for (const JsonValue& child : children->items) CollectBookmarks(child, urls);
  }
}

// The addresses of every bookmark under "roots" of the profile's "Bookmarks".
std::set<std::string> BookmarkedUrls(const Files& files, const BrowserProfile& profile) {
  std::set<std::string> urls;
  const std::string path = JoinPath(profile.folder, "Bookmarks");
  if (!files.Attributes(path)) return urls;
  const auto text = files.ReadFile(path, kMaxBookmarksBytes);
  const auto bookmarks = text ? ParseJson(*text) : std::nullopt;
  const JsonValue* roots = bookmarks ? bookmarks->Member("roots") : nullptr;
  if (!roots)
    throw std::runtime_error(path + " cannot be read, so the bookmarked pages are not known: " +
                             profile.Name() + "'s history is left as it is.");
  for (const auto& [name, root] : roots->members) CollectBookmarks(root, urls);
  return urls;
}

// The pages that lose something: those no bookmark keeps go, the bookmarked ones
// lose their visits.
std::vector<RemovalItem> Pages(Database& db, const std::set<std::string>& bookmarked,
                               std::vector<std::int64_t>* unbookmarked) {
  std::vector<RemovalItem> pages;
  Statement rows = db.Prepare(
      "SELECT id, url, EXISTS (SELECT 1 FROM visits WHERE visits.url = urls.id) FROM urls");
  while (rows.Step()) {
    const std::string url = rows.Text(1);
    const bool kept = bookmarked.contains(url);
    if (kept && rows.Int(2) == 0) continue;
    if (!kept && unbookmarked) unbookmarked->push_back(rows.Int(0));
    pages.push_back({"urls:" + std::to_string(rows.Int(0)), kept ? KeptPageName(url) : url});
  }
  return pages;
}

std::set<std::string> KeysOf(const std::vector<RemovalItem>& items) {
  std::set<std::string> keys;
  for (const RemovalItem& item : items) keys.insert(item.key);
  return keys;
}

DatabaseClear PlanHistory(Database& db, const std::set<std::string>& bookmarked) {
  RequireTables(db, kHistoryLayout);
  std::vector<std::int64_t> unbookmarked;
  DatabaseClear clear;
  clear.items = Pages(db, bookmarked, &unbookmarked);
  clear.write = [unbookmarked](Database& db) {
    EmptyTables(db, kHistoryTables);
    Statement remove = db.Prepare("DELETE FROM urls WHERE id = ?");
    for (const std::int64_t id : unbookmarked) {
      remove.Bind(1, id);
      remove.Step();
      remove.Reset();
    }
  };
  clear.remaining = [&bookmarked](Database& db) { return KeysOf(Pages(db, bookmarked, nullptr)); };
  return clear;
}

// Every row of every table but "meta", which says what the database is. The rows
// are named by their address where the table has one.
std::vector<RemovalItem> EveryRow(Database& db, const std::string& label) {
  std::vector<std::string> tables;
  Statement names = db.Prepare(
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT IN ('meta', "
      "'sqlite_sequence') AND name NOT LIKE 'sqlite_%' ORDER BY name");
  while (names.Step()) tables.push_back(names.Text(0));
  std::vector<RemovalItem> rows;
  for (const std::string& table : tables) {
    bool hasUrl = false;
    Statement info = db.Prepare("PRAGMA table_info(\"" + table + "\")");
    while (info.Step()) hasUrl = hasUrl || info.Text(1) == "url";
    Statement row =
        db.Prepare("SELECT rowid" + std::string(hasUrl ? ", url" : "") + " FROM \"" + table + "\"");
    while (row.Step()) {
      const std::string id = std::to_string(row.Int(0));
      rows.push_back(
          {table + ":" + id, label + ": " + (hasUrl ? row.Text(1) : table + " row " + id)});
    }
  }
  return rows;
}

// A database whose every row goes: "Top Sites", "Shortcuts".
DatabaseClear PlanEveryRow(Database& db, const char* table, const std::string& label) {
  RequireTables(db, {{"meta", {"key", "value"}}, {table, {"url"}}});
  DatabaseClear clear;
  clear.items = EveryRow(db, label);
  clear.write = [](Database& db) {
    std::vector<std::string> tables;
    Statement names = db.Prepare(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name <> 'meta' AND name NOT "
        "LIKE 'sqlite_%'");
    while (names.Step()) tables.push_back(names.Text(0));
    for (const std::string& name : tables) db.Execute("DELETE FROM \"" + name + "\"");
  };
  clear.remaining = [label](Database& db) { return KeysOf(EveryRow(db, label)); };
  return clear;
}

}  // namespace

void ClearChromiumHistory(const BrowserProfile& profile, Files& files, BatchRemoval& removal,
                          RunReport& report) {
  const std::string history = JoinPath(profile.folder, "History");
  if (files.Attributes(history)) {
    ClearOrName(report, [&] {
      const std::set<std::string> bookmarked = BookmarkedUrls(files, profile);
      ClearDatabase(
          history, [&](Database& db) { return PlanHistory(db, bookmarked); }, removal, report);
    });
  }
  constexpr std::pair<const char*, const char*> kEveryRowDatabases[] = {
      {"Top Sites", "top_sites"}, {"Shortcuts", "omni_box_shortcuts"}};
  for (const auto& database : kEveryRowDatabases) {
    const std::string path = JoinPath(profile.folder, database.first);
    if (!files.Attributes(path)) continue;
    ClearOrName(report, [&] {
      ClearDatabase(
          path, [&](Database& db) { return PlanEveryRow(db, database.second, database.first); },
          removal, report);
    });
  }
  const std::string visitedLinks = JoinPath(profile.folder, "Visited Links");
  if (files.Attributes(visitedLinks)) {
    report.ShowStatus("Deleting : Visited Links");
    report.ShowStatus(files.RemoveFile(visitedLinks) ? "Deleted !"
                                                     : "Could Not Delete : Visited Links");
  }
}

std::optional<std::int64_t> CountChromiumPages(const BrowserProfile& profile) {
  return CountIn(JoinPath(profile.folder, "History"), kHistoryLayout,
                 "SELECT count(DISTINCT url) FROM visits");
}

}  // namespace quillmere
