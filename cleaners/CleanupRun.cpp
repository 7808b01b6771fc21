#include "cleaners/CleanupRun.h"

#include "cleaners/CacheCleaner.h"
#include "cleaners/FolderPurge.h"
#include "cleaners/RegistryCleaner.h"
#include "cleaners/ShellCleaners.h"
#include "cleaners/HistoryPurge.h"

namespace quillmere {

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
