#pragma once

#include <set>
#include <string>

#include "console/Ledger.h"
#include "console/RecordingFiles.h"
#include "console/RecordingHistoryStore.h"
#include "console/RecordingRegistry.h"
#include "console/RecordingShell.h"
#include "console/RecordingUrlCache.h"
#include "cookies/CookieKeepList.h"
#include "platform/Ports.h"

namespace quillmere {

// The ports a console run goes through: they read from the real ones and enter
// every removal in the ledger, passing it on only in a clean. The clean-ups remove
// nothing through the desktop, which is passed on as it is.
class RecordingPorts {
 public:
  RecordingPorts(const Ports& ports, Ledger& ledger, const CookieKeepList& keep)
      : localeTime_(ports.localeTime),
        shell_(ports.shell, ledger),
        files_(ports.files, ledger),
        registry_(ports.registry, ledger),
        historyStore_(ports.historyStore, ledger, goneVisits_),
        urlCache_(ports.urlCache, ledger, keep, goneVisits_),
        desktop_(ports.desktop) {}
  RecordingPorts(const RecordingPorts&) = delete;
  RecordingPorts& operator=(const RecordingPorts&) = delete;

  Ports ports() {
    return Ports{localeTime_, shell_, files_, registry_, historyStore_, urlCache_, desktop_};
  }

 private:
  const LocaleTime& localeTime_;
  std::set<std::string> goneVisits_;  // URLs whose visits a preview has deleted
  RecordingShell shell_;
  RecordingFiles files_;
  RecordingRegistry registry_;
  RecordingHistoryStore historyStore_;
  RecordingUrlCache urlCache_;
  Desktop& desktop_;
};

}  // namespace quillmere
