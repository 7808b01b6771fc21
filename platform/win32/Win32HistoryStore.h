#pragma once

#include <windows.h>
#include <urlhist.h>

#include <map>
#include <memory>
#include <string>

#include "platform/HistoryStore.h"
#include "platform/win32/Handles.h"

namespace quillmere::win32 {

// The URL history of the operating system. Its own store object is used when it can
// be created and enumerated; otherwise (Wine's store cannot enumerate) the history
// as WinINet keeps it, the "Visited:" container of the URL cache, whose entries are
// named "Visited: " + user + "@" + URL and carry no title. Created on a thread with
// COM initialised.
class Win32HistoryStore final : public HistoryStore {
 public:
  enum class Backing { kSystemStore, kUrlCacheHistory };

  Win32HistoryStore();
  Backing backing() const { return store_ ? Backing::kSystemStore : Backing::kUrlCacheHistory; }

  std::unique_ptr<HistoryEnumeration> EnumUrls() override;
  bool DeleteUrl(const std::string& url) override;
  bool DeleteEntry(const HistoryEntry& entry) override;
  bool ClearHistory() override;

 private:
  UniqueCom<IUrlHistoryStg2> store_;
  // Without the system store: each URL's entry names as the last listing read them.
  std::multimap<std::string, std::string> listedNames_;
};

}  // namespace quillmere::win32
