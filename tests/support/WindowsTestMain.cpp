#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/win32/Handles.h"
#include "helpers/Sandbox.h"

// The test programs start as the application does: a single-threaded apartment on
// the GUI thread and the common controls registered. Outside the sandbox they run
// no test at all, so none can change the machine it runs on.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (const std::string problem = quillmere::testing::SandboxProblem(); !problem.empty()) {
    std::fprintf(stderr, "Not in the test sandbox (%s): no test runs.\n", problem.c_str());
    return quillmere::testing::kRefusedOutsideSandbox;
  }
  const quillmere::win32::ComApartment com;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  return RUN_ALL_TESTS();
}
