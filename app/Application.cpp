#include "app/Application.h"

#include <commctrl.h>

#include "app/ActiveForm.h"
#include "app/EraserForm.h"

namespace quillmere {

Application::Application() {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  win32::SetTopLevelErrorHandler(win32::ShowErrorBox);
}

Application::~Application() {
  ActiveForm.reset();
  EraserForm.reset();
}

int Application::Run() {
  EraserForm = std::make_unique<TEraserForm>(platform_.ports());
  ActiveForm = std::make_unique<TActiveForm>(EraserForm->hwnd());
  EraserForm->AttachActivityWindow(ActiveForm.get());
  EraserForm->Show();

  // Taken in UTF-16, so that a character typed into the activity window reaches it
  // whole; the ANSI windows get their messages translated as before.
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace quillmere
