#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/win32/Handles.h"

// The test programs start as the application does: a single-threaded apartment on
// the GUI thread and the common controls registered.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const quillmere::win32::ComApartment com;
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  return RUN_ALL_TESTS();
}
