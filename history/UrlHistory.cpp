#include "history/UrlHistory.h"

#include <algorithm>

#include "common/FuncUnit.h"

namespace quillmere {

namespace {

int CompareTexts(const std::string& a, const std::string& b) {
  // char_traits<char> compares as unsigned char: in UTF-8, the order of the code points.
  const int c = a.compare(b);
  return (c > 0) - (c < 0);
}

int CompareDates(TDateTime a, TDateTime b) { return (a > b) - (a < b); }

int CompareBy(TSortFieldOption field, const TEntry& a, const TEntry& b) {
  switch (field) {
    case sfTitle:
      return CompareTexts(a.Title, b.Title);
    case sfURL:
      return CompareTexts(a.Url, b.Url);
    case sfLastVisited:
      return CompareDates(a.LastVisited, b.LastVisited);
    case sfLastUpdated:
      return CompareDates(a.LastUpdated, b.LastUpdated);
    case sfExpires:
      return CompareDates(a.Expires, b.Expires);
  }
  return 0;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Days from 1 January 1970 of a date in the proleptic Gregorian calendar.
long long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

TDateTime EncodeDateTime(const CalendarTime& t) {
  constexpr long long kDays1899To1970 = 25569;
  const double days = static_cast<double>(DaysFromCivil(t.year, t.month, t.day) + kDays1899To1970);
  return days + (t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
}

TUrlHistory::TUrlHistory(HistoryStore& store, const LocaleTime& locale)
    : store_(store), locale_(locale) {}

void TUrlHistory::Restart() {
  enumerator_.reset();
  enumerator_ = store_.EnumUrls();
}

bool TUrlHistory::Matches(const HistoryEntry& entry) const {
  if (Search.empty()) return true;
  switch (SearchField) {
    case seTitle:
      return Contains(entry.title, Search);
    case seURL:
      return Contains(entry.url, Search);
    case seBoth:
      break;
  }
  return Contains(entry.url, Search) || Contains(entry.title, Search);
}

int TUrlHistory::Refresh() {
  ClearItems();
  Restart();
  while (enumerator_) {
    auto found = enumerator_->Next();
    if (!found) break;
    if (!Matches(*found)) continue;
    TEntry entry{.Url = std::move(found->url),
                 .Title = std::move(found->title),
                 .LastVisited = FileTimeToDate(found->lastVisited),
                 .LastUpdated = FileTimeToDate(found->lastUpdated),
                 .Expires = FileTimeToDate(found->expires)};
    bool accept = true;
    if (OnAccept) {
      OnAccept(entry.Title, entry.Url, entry.LastVisited, entry.LastUpdated, entry.Expires, accept);
    }
    if (accept) Items_.push_back(std::move(entry));
  }
  Sort();
  return static_cast<int>(Items_.size());
}

void TUrlHistory::Sort() {
  const int sign = SortDirection == sdAscending ? 1 : -1;
  std::sort(Items_.begin(), Items_.end(), [&](const TEntry& a, const TEntry& b) {
    return sign * CompareBy(SortField, a, b) < 0;
  });
}

int TUrlHistory::DeleteEntries() {
  Restart();
  int deleted = 0;
  while (enumerator_) {
    const auto found = enumerator_->Next();
    if (!found) break;
    bool remove = false;
    if (OnDelete) {
      OnDelete(found->title, found->url, FileTimeToDate(found->lastVisited),
               FileTimeToDate(found->lastUpdated), FileTimeToDate(found->expires), remove);
    }
    // Only what the store reports gone counts; a refused deletion is no deletion.
    if (remove && store_.DeleteEntry(*found)) ++deleted;
  }
  return deleted;
}

TDateTime TUrlHistory::FileTimeToDate(FileTime utc) const {
  const auto local = locale_.ToLocalFileTime(utc);
  const auto packed = local ? locale_.ToDosDateTime(*local) : std::nullopt;
  if (!packed) return 0;
  return EncodeDateTime(UnpackDosDateTime(*packed));
}

}  // namespace quillmere
