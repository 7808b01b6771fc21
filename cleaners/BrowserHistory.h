#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "common/RunReport.h"
#include "cookies/BrowserProfiles.h"
#include "platform/Files.h"
#include "platform/Shell.h"

namespace quillmere {

// One thing a database write takes away: a page of the history, a shortcut, a top
// site.
struct RemovalItem {
  std::string key;   // what tells it from the others in the database: table and row
  std::string name;  // its address, as the lines show it
};

// How a run carries out the one write that clears a database. The window program
// writes at once; the console enters each item in its ledger and writes only in a
// clean, so that a preview lists exactly what the clean takes.
class BatchRemoval {
 public:
  virtual ~BatchRemoval() = default;
  // Removes `items` through `write`; `remaining` lists the keys of those still there
  // afterwards. Each answer says whether that item went (or, in a preview, would).
  virtual std::vector<bool> Remove(const std::vector<RemovalItem>& items,
                                   const std::function<void()>& write,
                                   const std::function<std::set<std::string>()>& remaining) = 0;
};

// The window program's removal: the write runs, and what stays is told apart.
class DirectRemoval final : public BatchRemoval {
 public:
  std::vector<bool> Remove(const std::vector<RemovalItem>& items,
                           const std::function<void()>& write,
                           const std::function<std::set<std::string>()>& remaining) override;
};

// Clears the browsing history of every profile of the family, a line for each page
// or row that goes and a total. A Chromium profile loses the rows of its History
// database but for its bookmarked pages, its Top Sites and Shortcuts rows and its
// "Visited Links" file; a Firefox profile its visits and input history, the pages no
// bookmark refers to and the origins no page does, the kept pages' visit figures
// reset. A database its running browser holds is named and its profile skipped; one
// whose tables are not those expected is named and left as it is; the others go on.
void ClearBrowserHistory(BrowserFamily family, Files& files, const Shell& shell,
                         BatchRemoval& removal, RunReport& report);

// The pages visited in every readable history of the family.
int CountBrowserHistoryPages(BrowserFamily family, const Files& files, const Shell& shell);

}  // namespace quillmere
