#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "common/PageServices.h"
#include "common/RunReport.h"
#include "gauges/Gauges.h"
#include "gauges/gui/Scope.h"
#include "toolkit/Panel.h"

namespace quillmere {

// The main window's header: the title and the instructions on white, and the pie
// of the drive's used share. It is also where the gauges are measured into: the
// figures go behind the task captions, the disk line to the run report, the used
// share to the pie.
class TGaugeHeader final : public GaugeBoard, public GaugeRefresh {
 public:
  struct Args {
    HWND parent = nullptr;
    int width = 0;
    int height = 0;
    HFONT font = nullptr;
    HFONT boldFont = nullptr;
    TaskCaptions& tasks;
    GaugeSources sources;
    RunReport& report;
  };
  explicit TGaugeHeader(const Args& args);
  TGaugeHeader(const TGaugeHeader&) = delete;
  TGaugeHeader& operator=(const TGaugeHeader&) = delete;

  // The recycle bin, the history, the cache and the disk measured anew.
  void RefreshGauges() override;

  void FillTaskList() override;
  void AppendToTask(int index, std::string_view text) override;
  void SetPiePosition(int position) override;

  TSimplePie& Pie() { return *SimplePie; }
  win32::Panel& Panel() { return *Panel1; }

 private:
  TaskCaptions& tasks_;
  GaugeSources sources_;
  RunReport& report_;

  std::unique_ptr<win32::Panel> Panel1;
  HWND Label1 = nullptr;
  HWND Label2 = nullptr;
  std::unique_ptr<TSimplePie> SimplePie;
};

}  // namespace quillmere
