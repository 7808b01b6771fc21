#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere::testing {

// file_holder, beside the test program, holding `path` until this goes.
class HeldByAnotherProcess {
 public:
  // With `exclusive` it shares nothing, as a running Chromium holds its cookie store.
  explicit HeldByAnotherProcess(const std::string& path, bool exclusive = false)
      : ready_(CreateEventA(nullptr, TRUE, FALSE, "QuillmereHolderReady")),
        release_(CreateEventA(nullptr, TRUE, FALSE, "QuillmereHolderRelease")) {
    PROCESS_INFORMATION info{};
    if (!StartProgram("\"" + TestProgramFolder() + "file_holder.exe\" \"" + path +
                          "\" QuillmereHolderReady QuillmereHolderRelease" +
                          (exclusive ? " exclusive" : ""),
                      info))
      return;
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    holding_ = WaitForSingleObject(ready_.get(), 20000) == WAIT_OBJECT_0;
  }
  ~HeldByAnotherProcess() {
    SetEvent(release_.get());
    if (process_) WaitForSingleObject(process_.get(), 20000);
  }
  HeldByAnotherProcess(const HeldByAnotherProcess&) = delete;
  HeldByAnotherProcess& operator=(const HeldByAnotherProcess&) = delete;

  // The other process has the file open (its exit code would say otherwise).
  bool Holding() const {
    DWORD code = 0;
    return holding_ && GetExitCodeProcess(process_.get(), &code) && code == STILL_ACTIVE;
  }

 private:
  win32::UniqueKernelHandle ready_;
  win32::UniqueKernelHandle release_;
  win32::UniqueKernelHandle process_;
  bool holding_ = false;
};

}  // namespace quillmere::testing
