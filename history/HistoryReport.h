#pragma once

#include "common/RunReport.h"
#include "history/UrlHistory.h"
#include "platform/LocaleTime.h"

namespace quillmere {

// Every history entry as title, URL and expiry, one line each, between the report's
// opening and closing lines.
void ReportUrlHistory(TUrlHistory& history, const LocaleTime& locale, RunReport& report);

}  // namespace quillmere
