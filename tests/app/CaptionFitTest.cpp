#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/EraserForm.h"
#include "tests/support/MainWindowTest.h"
#include "toolkit/Controls.h"

namespace quillmere {
namespace {

using namespace quillmere::testing;

// The width of the widest line of `text` in the font the control draws with.
int TextWidth(HWND control, const std::string& text) {
  const HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  int widest = 0;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    SIZE size{};
    GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
    widest = std::max(widest, static_cast<int>(size.cx));
  }
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return widest;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// What the user reads must not be cut short: with the faces the program asks for
// missing, a wider stand-in shows "Total" for "Total Cookies:" and "UnCheck..." for
// "UnCheck All". So every label line and every tool button caption of the main
// window has to fit its control in the fonts this system really has.
class CaptionFitTest : public FakePortsMainWindowTest {
 protected:
  void SetUp() override { MakeForm(); }
};

TEST_F(CaptionFitTest, EveryLabelAndToolButtonCaptionFitsItsControl) {
  int labels = 0;
  int buttons = 0;
  for (const HWND control : Descendants(form->hwnd())) {
    const std::string kind = ClassOf(control);
    if (kind == "Static") {
      const std::string text = win32::WindowText(control);
      if (text.empty()) continue;
      RECT box{};
      GetClientRect(control, &box);
      EXPECT_LE(TextWidth(control, text), box.right) << '"' << text << '"';
      ++labels;
    } else if (kind == TOOLBARCLASSNAMEA) {
      const int count = static_cast<int>(SendMessageA(control, TB_BUTTONCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageA(control, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP) continue;
        char caption[128] = {};
        SendMessageA(control, TB_GETBUTTONTEXTA, button.idCommand,
                     reinterpret_cast<LPARAM>(caption));
        RECT box{};
        SendMessageA(control, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&box));
        // The tool bar draws a caption inside the button less an edge on either side.
        const int edges = 2 * GetSystemMetrics(SM_CXEDGE);
        EXPECT_LE(TextWidth(control, caption), box.right - box.left - edges)
            << '"' << caption << '"';
        ++buttons;
      }
    }
  }
  EXPECT_EQ(labels, 3);  // the title, the instructions and "Total Cookies:"
  EXPECT_EQ(buttons, 13);
}

}  // namespace
}  // namespace quillmere
