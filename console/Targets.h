#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cleaners/CleanupRun.h"

namespace quillmere {

// What a console run can clean: the nine tasks of the older browsers and the
// system, in the task list's order; the cookies: the URL cache's, then the browsers'
// own stores; then the tasks of today's browsers.
struct Target {
  const char* id;
  const char* caption;
  int task;  // its index in the task list; kNoTask for the cookies
};

inline constexpr int kNoTask = -1;

inline constexpr std::array<Target, kCleanupTaskCount + 3> kTargets = {{
    {"typed-urls", kTaskCaptions[0], 0},
    {"url-history", kTaskCaptions[1], 1},
    {"cached-pages", kTaskCaptions[2], 2},
    {"media-player", kTaskCaptions[3], 3},
    {"run-history", kTaskCaptions[4], 4},
    {"recent-documents", kTaskCaptions[5], 5},
    {"recycle-bin", kTaskCaptions[6], 6},
    {"netscape", kTaskCaptions[7], 7},
    {"aol", kTaskCaptions[8], 8},
    {"cookies", "Cookies Eraser", kNoTask},
    {"chromium-cookies", "Chrome, Edge, Brave, Vivaldi and Opera Cookies", kNoTask},
    {"firefox-cookies", "Firefox Cookies", kNoTask},
    {"chromium-cache", kTaskCaptions[kChromiumCacheTask], kChromiumCacheTask},
    {"chromium-history", kTaskCaptions[kChromiumHistoryTask], kChromiumHistoryTask},
    {"firefox-cache", kTaskCaptions[kFirefoxCacheTask], kFirefoxCacheTask},
    {"firefox-history", kTaskCaptions[kFirefoxHistoryTask], kFirefoxHistoryTask},
}};

// The targets beyond the tasks: the URL cache's cookies, then the browsers'.
inline constexpr std::size_t kCookiesTarget = 9;
inline constexpr std::size_t kChromiumCookiesTarget = 10;
inline constexpr std::size_t kFirefoxCookiesTarget = 11;

// The index of the target called `id`.
std::optional<std::size_t> FindTarget(std::string_view id);

// Every id, in order: "typed-urls, url-history, ..., cookies".
std::string TargetIds();

}  // namespace quillmere
