// A stand-in for the Internet Options control panel in the privacy launcher's tests:
// the windows the launcher looks for, found by class and title, and nothing more.
//   privacy_sheet [nopage] [later]
// It opens a "#32770" "Internet Properties" sheet with a "#32770" "Privacy" page and
// the page's "&Edit..." button ("nopage": a "General" page instead, without a button).
// It does so at once, or ("later") when its hidden window titled kLaterWindowTitle
// gets WM_APP posted, so that a test decides when the sheet comes. The command that a
// click on the button sends its sheet, and only that, opens a "#32770" "Per Site
// Privacy Actions" dialog whose first edit box takes the address. The program ends
// when the sheet is closed, or after a minute so that no test leaves it behind.
#include <windows.h>

#include <cstring>

#include "helpers/PrivacySheetStandIn.h"

namespace {

constexpr int kEditButtonId = 1040;
constexpr UINT kLifetimeMilliseconds = 60000;

HWND editButton = nullptr;

// An empty dialog template: the class is the dialog class "#32770".
struct alignas(4) EmptyDialog {
  DLGTEMPLATE dialog;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

HWND MakeDialog(const char* title, DWORD style, HWND parent, int width, int height,
                DLGPROC procedure) {
  EmptyDialog empty{};
  empty.dialog.style = style;
  empty.dialog.cx = static_cast<short>(width);
  empty.dialog.cy = static_cast<short>(height);
  const HWND dialog =
      CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &empty.dialog, parent, procedure, 0);
  if (dialog) SetWindowTextA(dialog, title);
  return dialog;
}

// A visible child of `parent`, or a hidden top-level window without one.
HWND MakeControl(const char* className, const char* text, HWND parent, int y, int id = 0) {
  const DWORD style = parent ? WS_CHILD | WS_VISIBLE | WS_BORDER : WS_POPUP;
  return CreateWindowExA(0, className, text, style, 10, y, 160, 22, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

// The page's and the per-site dialog's: nothing to do.
INT_PTR CALLBACK PlainProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void OpenPerSiteDialog(HWND sheet) {
  const HWND dialog = MakeDialog("Per Site Privacy Actions", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                 sheet, 200, 90, PlainProc);
  MakeControl("Static", "Address of Web site:", dialog, 10);
  MakeControl("Edit", "", dialog, 40);
  MakeControl("Edit", "", dialog, 70);
}

INT_PTR CALLBACK SheetProc(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kEditButtonId && HIWORD(wParam) == BN_CLICKED && editButton &&
          reinterpret_cast<HWND>(lParam) == editButton) {
        OpenPerSiteDialog(sheet);
      }
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(sheet);
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

bool OpenSheet(bool withPage) {
  const HWND sheet =
      MakeDialog("Internet Properties", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, nullptr,
                 220, 160, SheetProc);
  if (!sheet) return false;
  const HWND page = MakeDialog(withPage ? "Privacy" : "General", WS_CHILD | WS_VISIBLE, sheet, 200,
                               120, PlainProc);
  if (withPage) editButton = MakeControl("Button", "&Edit...", page, 60, kEditButtonId);
  return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  bool withPage = true;
  bool later = false;
  for (int i = 1; i < __argc; ++i) {
    withPage = withPage && std::strcmp(__argv[i], "nopage") != 0;
    later = later || std::strcmp(__argv[i], "later") == 0;
  }
  if (later ? !MakeControl("Static", kLaterWindowTitle, nullptr, 0) : !OpenSheet(withPage)) {
    return 1;
  }
  const UINT_PTR lifetime = SetTimer(nullptr, 0, kLifetimeMilliseconds, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && !msg.hwnd && msg.wParam == lifetime) break;
    if (msg.message == WM_APP && later && !OpenSheet(withPage)) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
