#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/CalendarTime.h"

namespace quillmere {

// One entry of the browser's URL history, its texts in UTF-8, as the program's.
struct HistoryEntry {
  std::string url;
  std::string title;  // empty when the store keeps none
  FileTime lastVisited = 0;
  FileTime lastUpdated = 0;
  FileTime expires = 0;
  // The entry's name as the store itself gave it; DeleteEntry hands it back
  // unchanged, so no conversion of the URL stands between reading and deleting.
  std::string key;
};

// One pass over the store. It ends at the first answer of the store other than
// success, as if the store were exhausted.
class HistoryEnumeration {
 public:
  virtual ~HistoryEnumeration() = default;
  virtual std::optional<HistoryEntry> Next() = 0;
};

// The URL history store the operating system keeps behind the browser's History.
class HistoryStore {
 public:
  virtual ~HistoryStore() = default;

  // A fresh pass over every entry; nullptr when the store cannot be read.
  virtual std::unique_ptr<HistoryEnumeration> EnumUrls() = 0;
  // Deletes the entries of `url` (flags 0); true when the store reports success.
  virtual bool DeleteUrl(const std::string& url) = 0;
  // Deletes one entry exactly as an enumeration delivered it.
  virtual bool DeleteEntry(const HistoryEntry& entry) = 0;
  virtual bool ClearHistory() = 0;
};

}  // namespace quillmere
