#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "cleaners/BrowserHistory.h"
#include "common/RunReport.h"
#include "history/UrlHistory.h"
#include "platform/Ports.h"

namespace quillmere {

inline constexpr int kCleanupTaskCount = 13;

// The clean-up tasks' captions, in the order the run takes them. They are spelled
// exactly as the program has always shown them, "Widows" and "Hustory" included, on
// purpose: they are what its users know, and the console lists them too. A test pins
// every one as text.
inline constexpr const char* kTaskCaptions[kCleanupTaskCount] = {
    "Clear Internet Explorer URL Drop Down Cache",
    "Clear Internet Explorer URL History    (Index.dat)",
    "Clear Internet Explorer Cached Pages",
    "Clear Widows Media Player URL History",
    "Clear Start / Run Menu Hustory",
    "Clear Start / Recent Documents",
    "Empty Recycle Bin",
    "Clear Netscape Browser Cache",
    "Clear AOL (2 - 6)  Browser Cache",
    "Clear Chrome, Edge, Brave, Vivaldi and Opera Cache",
    "Clear Chrome, Edge, Brave, Vivaldi and Opera History",
    "Clear Firefox Cache",
    "Clear Firefox History",
};

// The tasks of today's browsers, after those of the older ones.
inline constexpr int kChromiumCacheTask = 9;
inline constexpr int kChromiumHistoryTask = 10;
inline constexpr int kFirefoxCacheTask = 11;
inline constexpr int kFirefoxHistoryTask = 12;

// What the clean-up tasks work on, and where they report.
struct CleanupServices {
  const Ports& ports;
  TUrlHistory& history;  // its OnDelete approves what the history purge offers
  RunReport& report;
  std::uintptr_t ownerWindow;                           // owns the shell's windows
  std::function<void(const std::string&)> showMessage;  // a modal message box
  // How the browsers' history databases are written; none: at once.
  BatchRemoval* databases = nullptr;
};

// The task at `index` of the task list.
void RunCleanupTask(int index, const CleanupServices& services);

// Every task `isTicked` names, in list order whatever order they were ticked in.
void RunTickedTasks(const std::function<bool(int)>& isTicked, const CleanupServices& services);

}  // namespace quillmere
