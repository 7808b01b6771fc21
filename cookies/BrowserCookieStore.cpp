#include "cookies/BrowserCookieStore.h"

#include <algorithm>
#include <limits>

#include "common/FuncUnit.h"
#include "platform/Database.h"

namespace quillmere {
namespace {

// 1970-01-01 as a FILETIME (100 ns steps since 1601-01-01).
constexpr FileTime kUnixEpoch = 116444736000000000ull;

// `count` steps of `unit` FILETIME steps after `origin`; 0 for none or a time
// before it, the latest time for one beyond what a FILETIME holds.
FileTime TimeAfter(FileTime origin, std::int64_t count, FileTime unit) {
  if (count <= 0) return 0;
  const auto steps = static_cast<FileTime>(count);
  constexpr FileTime kLatest = std::numeric_limits<FileTime>::max();
  if (steps > (kLatest - origin) / unit) return kLatest;
  return origin + steps * unit;
}

// What a family's store is: its table, the columns read (the row id first), and how
// its times count.
struct Layout {
  const char* table;
  const char* host;
  const char* lastAccess;
  const char* expiry;
  const char* requiredColumns[6];
};

constexpr Layout kChromium{
    "cookies",
    "host_key",
    "last_access_utc",
    "expires_utc",
    {"host_key", "name", "path", "creation_utc", "expires_utc", "last_access_utc"}};
constexpr Layout kFirefox{"moz_cookies",
                          "host",
                          "lastAccessed",
                          "expiry",
                          {"host", "name", "path", "expiry", "lastAccessed", "creationTime"}};

const Layout& LayoutOf(BrowserFamily family) {
  return family == BrowserFamily::kChromium ? kChromium : kFirefox;
}

// Firefox counts its expiry in milliseconds from this schema on, in seconds before.
constexpr std::int64_t kFirefoxMillisecondExpiry = 16;

// A checked store: its schema version and layout.
struct Schema {
  const Layout& layout;
  std::int64_t version = 0;
};

[[noreturn]] void Refuse(const BrowserProfile& profile, const std::string& why) {
  throw std::runtime_error(profile.Name() + ": the cookie store " + profile.cookies + " " + why +
                           "; it is left as it is.");
}

bool HasTable(Database& db, const char* table) {
  Statement find = db.Prepare("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
  find.Bind(1, std::string_view(table));
  return find.Step();
}

Schema CheckSchema(Database& db, const BrowserProfile& profile) {
  const Layout& layout = LayoutOf(profile.family);
  if (!HasTable(db, layout.table))
    Refuse(profile, std::string("has no table \"") + layout.table + "\"");
  std::vector<std::string> columns;
  Statement info = db.Prepare(std::string("PRAGMA table_info(") + layout.table + ")");
  while (info.Step()) columns.push_back(info.Text(1));
  for (const char* column : layout.requiredColumns) {
    if (std::find(columns.begin(), columns.end(), column) == columns.end())
      Refuse(profile, std::string("has no column \"") + column + "\" in its cookie table");
  }
  Schema schema{layout};
  if (profile.family == BrowserFamily::kChromium) {
    if (!HasTable(db, "meta")) Refuse(profile, "has no table \"meta\"");
    Statement meta = db.Prepare("SELECT value FROM meta WHERE key = 'version'");
    if (!meta.Step()) Refuse(profile, "names no version");
    schema.version = meta.Int(0);
  } else {
    Statement version = db.Prepare("PRAGMA user_version");
    schema.version = version.Step() ? version.Int(0) : 0;
  }
  if (schema.version <= 0) Refuse(profile, "names no version");
  return schema;
}

FileTime ExpiryTime(const Schema& schema, BrowserFamily family, std::int64_t expiry) {
  if (family == BrowserFamily::kChromium) return TimeAfter(0, expiry, 10);  // microseconds
  return schema.version >= kFirefoxMillisecondExpiry ? TimeAfter(kUnixEpoch, expiry, 10'000)
                                                     : TimeAfter(kUnixEpoch, expiry, 10'000'000);
}

FileTime AccessTime(BrowserFamily family, std::int64_t lastAccess) {
  return TimeAfter(family == BrowserFamily::kChromium ? 0 : kUnixEpoch, lastAccess, 10);
}

std::string WithoutLeadingDot(std::string_view host) {
  if (host.starts_with('.')) host.remove_prefix(1);
  return std::string(host);
}

}  // namespace

BrowserCookieStore::BrowserCookieStore(BrowserProfile profile) : profile_(std::move(profile)) {}

// Runs `work` on the open, checked database; a database held by its browser is
// named as the profile's.
template <typename Work>
auto BrowserCookieStore::WithDatabase(Work work) {
  try {
    Database db(profile_.cookies);
    const Schema schema = CheckSchema(db, profile_);
    return work(db, schema);
  } catch (const DatabaseHeld& held) {
    throw StoreHeld(Name(), Name() + " is open in its browser: close " + profile_.browser +
                                " to clean this profile's cookies (" + held.what() + ").");
  }
}

void BrowserCookieStore::ForEachCookie(const std::function<void(const StoreCookie&)>& visit) {
  WithDatabase([&](Database& db, const Schema& schema) {
    const Layout& layout = schema.layout;
    Statement rows = db.Prepare(std::string("SELECT rowid, ") + layout.host + ", name, path, " +
                                layout.lastAccess + ", " + layout.expiry + " FROM " + layout.table);
    while (rows.Step()) {
      visit(StoreCookie{.host = rows.Text(1),
                        .name = rows.Text(2),
                        .path = rows.Text(3),
                        .hits = std::nullopt,
                        .modified = AccessTime(profile_.family, rows.Int(4)),
                        .expires = ExpiryTime(schema, profile_.family, rows.Int(5)),
                        .size = std::nullopt,
                        .key = std::to_string(rows.Int(0))});
    }
    return 0;
  });
}

std::vector<bool> BrowserCookieStore::Delete(std::span<const StoreCookie> cookies) {
  return WithDatabase([&](Database& db, const Schema& schema) {
    const Layout& layout = schema.layout;
    std::vector<bool> gone(cookies.size(), false);
    db.WriteWhole([&] {
      // The row is found by its id and checked against what was listed, so that a row
      // the browser reused in between for another cookie stays.
      Statement remove =
          db.Prepare(std::string("DELETE FROM ") + layout.table + " WHERE rowid = ? AND " +
                     layout.host + " = ? AND name = ? AND path = ?");
      for (std::size_t i = 0; i < cookies.size(); ++i) {
        std::int64_t row = 0;
        try {
          row = std::stoll(cookies[i].key);
        } catch (const std::exception&) {
          continue;  // no row of this store
        }
        remove.Bind(1, row);
        remove.Bind(2, cookies[i].host);
        remove.Bind(3, cookies[i].name);
        remove.Bind(4, cookies[i].path);
        remove.Step();
        gone[i] = db.Changes() == 1;
        remove.Reset();
      }
    });
    return gone;
  });
}

CookieRow BrowserCookieStore::Row(const LocaleTime& locale, const StoreCookie& cookie) const {
  const std::string host = WithoutLeadingDot(cookie.host);
  return CookieRow{
      .address = TrimTrailingSlash((host + cookie.path).substr(0, kMaxAddressLength)),
      .hits = {},
      .modified = FileTimeToText(locale, cookie.modified),
      .expires = cookie.expires == 0 ? std::string() : FileTimeToText(locale, cookie.expires),
      .fullAddress = FullAddress(cookie)};
}

std::string BrowserCookieStore::FullAddress(const StoreCookie& cookie) const {
  return Name() + ": " + cookie.name + "@" + WithoutLeadingDot(cookie.host) + cookie.path;
}

std::string BrowserCookieStore::Host(const StoreCookie& cookie) const {
  std::string host = LowerCase(WithoutLeadingDot(cookie.host));
  host.resize(std::min(host.find(':'), host.size()));
  return host;
}

std::vector<std::unique_ptr<CookieStore>> BrowserCookieStores(
    const std::vector<BrowserProfile>& profiles) {
  std::vector<std::unique_ptr<CookieStore>> stores;
  for (const BrowserProfile& profile : profiles) {
    if (!profile.cookies.empty()) stores.push_back(std::make_unique<BrowserCookieStore>(profile));
  }
  return stores;
}

}  // namespace quillmere
