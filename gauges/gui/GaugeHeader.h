#pragma once

#include <windows.h>

#include <memory>

#include "gauges/gui/Scope.h"
#include "toolkit/Panel.h"

namespace quillmere {

// The main window's header: the title and the instructions on white, and the pie
// of the drive's used share, which the main window sets when it measures the gauges.
class TGaugeHeader final {
 public:
  struct Args {
    HWND parent = nullptr;
    int width = 0;
    int height = 0;
    HFONT font = nullptr;
    HFONT boldFont = nullptr;
  };
  explicit TGaugeHeader(const Args& args);
  TGaugeHeader(const TGaugeHeader&) = delete;
  TGaugeHeader& operator=(const TGaugeHeader&) = delete;

  TSimplePie& Pie() { return *SimplePie; }
  win32::Panel& Panel() { return *Panel1; }

 private:
  std::unique_ptr<win32::Panel> Panel1;
  HWND Label1 = nullptr;
  HWND Label2 = nullptr;
  std::unique_ptr<TSimplePie> SimplePie;
};

}  // namespace quillmere
