#include "cleaners/CleanupRun.h"

#include "cleaners/BrowserCaches.h"
#include "cleaners/CacheCleaner.h"
#include "cleaners/FolderPurge.h"
#include "cleaners/RegistryCleaner.h"
#include "cleaners/ShellCleaners.h"
#include "cleaners/HistoryPurge.h"

namespace quillmere {
namespace {

BrowserFamily FamilyOf(int task) {
  return task == kChromiumCacheTask || task == kChromiumHistoryTask ? BrowserFamily::kChromium
                                                                    : BrowserFamily::kFirefox;
}

}  // namespace

void RunCleanupTask(int index, const CleanupServices& services) {
  const Ports& ports = services.ports;
  RunReport& report = services.report;
  switch (index) {
    case 0:
      ClearRegistryList(ports.registry, report, kTypedUrlsKey);
      break;
    case 1:
      PurgeUrlHistory(services.history, ports.registry, ports.files, report);
      break;
    case 2:
      DeleteCachedPages(ports.urlCache);
      break;
    case 3:
      ClearRegistryList(ports.registry, report, kMediaPlayerRecentKey);
      break;
    case 4:
      ClearRegistryList(ports.registry, report, kRunMruKey);
      break;
    case 5:
      ClearRecentDocuments(ports.shell);
      break;
    case 6:
      if (const auto message = EmptyRecycleBin(ports.shell, services.ownerWindow))
        services.showMessage(*message);
      break;
    case 7:
      CleanNetscape(ports.files, report);
      break;
    case 8:
      CleanAol(ports.files, report);
      break;
    case kChromiumCacheTask:
    case kFirefoxCacheTask:
      ClearBrowserCaches(FamilyOf(index), ports.files, ports.shell, report);
      break;
    case kChromiumHistoryTask:
    case kFirefoxHistoryTask: {
      DirectRemoval direct;
      ClearBrowserHistory(FamilyOf(index), ports.files, ports.shell,
                          services.databases ? *services.databases : direct, report);
      break;
    }
    default:
      break;
  }
}

void RunTickedTasks(const std::function<bool(int)>& isTicked, const CleanupServices& services) {
  for (int index = 0; index < kCleanupTaskCount; ++index) {
    if (isTicked(index)) RunCleanupTask(index, services);
  }
}

}  // namespace quillmere
