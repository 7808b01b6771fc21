#pragma once

#include "common/RunReport.h"
#include "platform/UrlCache.h"

namespace quillmere {

// Deletes every cookie the URL cache lists, as the cookie page deletes the rows
// ticked in its list: a cookie the cache keeps is named on a line of its own and
// not counted, and the count ends the run ("Deleted " + count + " Cookies").
void DeleteEveryCookie(UrlCache& cache, RunReport& report);

}  // namespace quillmere
