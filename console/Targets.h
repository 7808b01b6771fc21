#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "cleaners/CleanupRun.h"

namespace quillmere {

// What a console run can clean: the nine tasks of the task list, in its order, and
// the cookies: the URL cache's, then the browsers' own stores.
struct Target {
  const char* id;
  const char* caption;
};

inline constexpr std::array<Target, kCleanupTaskCount + 3> kTargets = {{
    {"typed-urls", kTaskCaptions[0]},
    {"url-history", kTaskCaptions[1]},
    {"cached-pages", kTaskCaptions[2]},
    {"media-player", kTaskCaptions[3]},
    {"run-history", kTaskCaptions[4]},
    {"recent-documents", kTaskCaptions[5]},
    {"recycle-bin", kTaskCaptions[6]},
    {"netscape", kTaskCaptions[7]},
    {"aol", kTaskCaptions[8]},
    {"cookies", "Cookies Eraser"},
    {"chromium-cookies", "Chrome, Edge, Brave, Vivaldi and Opera Cookies"},
    {"firefox-cookies", "Firefox Cookies"},
}};

// The targets beyond the tasks: the URL cache's cookies, then the browsers'.
inline constexpr std::size_t kCookiesTarget = kCleanupTaskCount;
inline constexpr std::size_t kChromiumCookiesTarget = kCleanupTaskCount + 1;
inline constexpr std::size_t kFirefoxCookiesTarget = kCleanupTaskCount + 2;

// The index of the target called `id`.
std::optional<std::size_t> FindTarget(std::string_view id);

// Every id, in order: "typed-urls, url-history, ..., cookies".
std::string TargetIds();

}  // namespace quillmere
