#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/HistoryStore.h"
#include "platform/LocaleTime.h"

namespace quillmere {

// Days since 30 December 1899, the fraction being the time of day.
using TDateTime = double;

// One URL history entry as the program lists it; 0 marks a stamp without a valid date.
struct TEntry {
  std::string Url;
  std::string Title;
  TDateTime LastVisited = 0;
  TDateTime LastUpdated = 0;
  TDateTime Expires = 0;
};

enum TSortFieldOption { sfTitle, sfURL, sfLastVisited, sfLastUpdated, sfExpires };
enum TSearchFieldOption { seBoth, seTitle, seURL };
enum TSortDirectionOption { sdAscending, sdDescending };

// Asked for every entry Refresh reads; clearing Accept leaves the entry out.
using TOnAcceptEvent =
    std::function<void(const std::string& Title, const std::string& Url, TDateTime LastVisited,
                       TDateTime LastUpdated, TDateTime Expires, bool& Accept)>;
// Asked for every entry DeleteEntries meets; setting Delete deletes it.
using TOnDeleteEvent =
    std::function<void(const std::string& Title, const std::string& Url, TDateTime LastVisited,
                       TDateTime LastUpdated, TDateTime Expires, bool& Delete)>;

// The browser's URL history as a sorted list, with the deletions the program needs.
class TUrlHistory {
 public:
  TUrlHistory(HistoryStore& store, const LocaleTime& locale);

  TOnAcceptEvent OnAccept;
  TOnDeleteEvent OnDelete;
  TSortFieldOption SortField = sfTitle;
  TSearchFieldOption SearchField = seBoth;
  std::string Search;  // matched case-sensitively as part of the URL and/or title
  TSortDirectionOption SortDirection = sdAscending;

  // Reads the store anew into Items, filtered and sorted; returns the count.
  int Refresh();
  const std::vector<TEntry>& Items() const { return Items_; }
  void ClearItems() { Items_.clear(); }

  bool RemoveUrl(const std::string& url) { return store_.DeleteUrl(url); }
  // Offers every entry of the store to OnDelete and deletes those approved; returns
  // how many the store reported deleted. Items stays as it is.
  int DeleteEntries();
  bool ClearStore() { return store_.ClearHistory(); }

  // A UTC stamp as local date-time at the two-second grain; 0 outside 1980 to 2107.
  TDateTime FileTimeToDate(FileTime utc) const;

 private:
  bool Matches(const HistoryEntry& entry) const;
  void Sort();
  void Restart();

  HistoryStore& store_;
  const LocaleTime& locale_;
  std::unique_ptr<HistoryEnumeration> enumerator_;
  std::vector<TEntry> Items_;
};

// The date-time value of a calendar moment.
TDateTime EncodeDateTime(const CalendarTime& t);

}  // namespace quillmere
