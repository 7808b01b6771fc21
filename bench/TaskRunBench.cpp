// The task run as the user meets it: the real main window and activity window on
// screen, "Clean Up" pressed on the task page with the AOL 4.0 cache ticked, over a
// cache of N files; against the bare search-and-delete loop over the same tree. And
// the status sink alone: M lines through the real windows.
//   task_run_bench.exe purge N    prints  purge <N> <window ms> <bare ms> <lines> <expected>
//   task_run_bench.exe lines M    prints  lines <M> <ms>
// Run it in a sandbox of its own on a virtual display (scripts/bench does).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"
#include "bench/FileTree.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Platform.h"

namespace {

using namespace quillmere;

const std::string kAolCache = "C:\\AOL40\\CACHE";
constexpr int kAolTask = 8;

void Pump(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (static_cast<LONG>(GetTickCount() - until) < 0);
}

// The two windows as the program shows them, settled after the first timer tick.
struct Windows {
  explicit Windows(win32::Win32Platform& platform) : form(platform.ports()), activity(form.hwnd()) {
    form.AttachActivityWindow(&activity);
    form.Show();
    Pump(1500);
  }
  TEraserForm form;
  TActiveForm activity;
};

int Purge(int files) {
  win32::Win32Platform platform;
  Windows windows(platform);
  windows.form.SetActivePageIndex(1);
  bench::MakeFileTree(kAolCache, files);
  windows.form.TaskPage().TaskList().SetChecked(kAolTask, true);
  const double window = bench::Milliseconds([&] {
    SendMessageA(windows.form.hwnd(), WM_COMMAND, ToolButton11, 0);
    Pump(0);  // what the run left for the message loop belongs to it
  });
  const auto lines = windows.activity.Lines().size();
  bench::MakeFileTree(kAolCache, files);
  const double bare = bench::Milliseconds([&] { bench::BareLoop(kAolCache); });
  bench::RemoveFileTree(kAolCache, files);
  std::printf("purge %d %.0f %.0f %zu\n", files, window, bare, lines);
  return 0;
}

int Lines(int count) {
  win32::Win32Platform platform;
  Windows windows(platform);
  windows.activity.Show();
  const double ms = bench::Milliseconds([&] {
    for (int i = 0; i < count; ++i) windows.form.ShowStatus("Deleting : file" + std::to_string(i));
    Pump(0);
  });
  std::printf("lines %d %.0f %zu\n", count, ms, windows.activity.Lines().size());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!bench::InSandbox()) {
    std::fprintf(stderr, "Drive Z: is present: run this in a sandbox.\n");
    return 1;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: task_run_bench.exe purge FILES | lines COUNT\n");
    return 2;
  }
  const win32::ComApartment com;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const int n = std::atoi(argv[2]);
  if (std::strcmp(argv[1], "purge") == 0) return Purge(n);
  if (std::strcmp(argv[1], "lines") == 0) return Lines(n);
  return 2;
}
