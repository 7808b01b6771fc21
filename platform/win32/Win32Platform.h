#pragma once

#include "platform/Ports.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32Files.h"
#include "platform/win32/Win32HistoryStore.h"
#include "platform/win32/Win32LocaleTime.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32UrlCache.h"

namespace quillmere::win32 {

// The real operating system behind every port.
class Win32Platform {
 public:
  Ports ports() {
    return Ports{localeTime_, shell_, files_, registry_, historyStore_, urlCache_, desktop_};
  }

 private:
  Win32LocaleTime localeTime_;
  Win32Shell shell_;
  Win32Files files_;
  Win32Registry registry_;
  Win32HistoryStore historyStore_;  // after COM is up: the application owns the apartment
  Win32UrlCache urlCache_;
  Win32Desktop desktop_;
};

}  // namespace quillmere::win32
