#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"
#include "tests/support/GuiTestSupport.h"

namespace quillmere::testing {

// file_holder, beside the test program, holding `path` until this goes. Each holder
// has events of its own: one that shared them would count as holding as soon as an
// earlier one was, and be released with it.
class HeldByAnotherProcess {
 public:
  // With `exclusive` it shares nothing, as a running Chromium holds its cookie store.
  explicit HeldByAnotherProcess(const std::string& path, bool exclusive = false)
      : names_(EventNames()),
        ready_(CreateEventA(nullptr, TRUE, FALSE, names_.ready.c_str())),
        release_(CreateEventA(nullptr, TRUE, FALSE, names_.release.c_str())) {
    PROCESS_INFORMATION info{};
    if (!StartProgram("\"" + TestProgramFolder() + "file_holder.exe\" \"" + path + "\" " +
                          names_.ready + " " + names_.release + (exclusive ? " exclusive" : ""),
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
  struct Names {
    std::string ready;
    std::string release;
  };
  static Names EventNames() {
    static int holders = 0;
    const std::string holder =
        std::to_string(GetCurrentProcessId()) + "." + std::to_string(++holders);
    return {"QuillmereHolderReady" + holder, "QuillmereHolderRelease" + holder};
  }

  Names names_;
  win32::UniqueKernelHandle ready_;
  win32::UniqueKernelHandle release_;
  win32::UniqueKernelHandle process_;
  bool holding_ = false;
};

}  // namespace quillmere::testing
