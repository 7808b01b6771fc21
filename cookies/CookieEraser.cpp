#include "cookies/CookieEraser.h"

#include <string>
#include <vector>

#include "cookies/CookieRow.h"
#include "platform/UrlCacheWalk.h"

namespace quillmere {

void DeleteEveryCookie(UrlCache& cache, RunReport& report) {
  // The list is read whole first, as the page's is, so no deletion disturbs the walk.
  std::vector<std::string> sources;
  ForEachUrlCacheEntry(cache, [&](const UrlCacheEntry& entry) {
    if (IsCookie(entry)) sources.push_back(entry.sourceUrl);
  });
  report.SetProgressMax(static_cast<int>(sources.size()));
  int deleted = 0;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    if (cache.DeleteEntry(sources[i])) {
      ++deleted;
    } else {
      report.ShowStatus("Could Not Delete : " + sources[i]);
    }
    report.SetProgressPosition(static_cast<int>(i));
  }
  report.ShowStatus("Deleted " + std::to_string(deleted) + " Cookies");
  report.SetProgressPosition(0);
}

}  // namespace quillmere
