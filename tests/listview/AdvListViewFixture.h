#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "listview/gui/AdvListV.h"
#include "platform/win32/Handles.h"
#include "toolkit/Controls.h"
#include "tests/support/Picture.h"

namespace quillmere::testing {

// The cookie list's columns and settings in a window of their own, painted in
// colours a test can tell apart. Column edges: Address 0..125, Hits ..170,
// Modified ..250, Expires ..330, Full Address ..480.
class AdvListViewFixture : public ::testing::Test {
 protected:
  static constexpr COLORREF kBackground = RGB(255, 255, 255);
  static constexpr COLORREF kSelection = RGB(0, 64, 160);
  static constexpr COLORREF kSelectionText = RGB(255, 255, 0);
  static constexpr COLORREF kText = RGB(0, 0, 0);
  static constexpr int kAddressRight = 125;
  static constexpr int kHitsRight = 170;
  static constexpr int kModifiedRight = 250;

  void SetUp() override {
    list = std::make_unique<TAdvListView>(
        TAdvListView::Args{.parent = host.get(), .width = 520, .height = 260, .font = font.get()});
    list->AddColumn("Address", 125);
    list->AddColumn("Hits", 45, taCenter);
    list->AddColumn("Modified", 80);
    list->AddColumn("Expires", 80);
    list->AddColumn("Full Address", 150);
    list->SetColor(kBackground);
    list->SetSelectionColor(kSelection);
    list->SetSelectionTextColor(kSelectionText);
  }

  void AddRows(int count) {
    for (int i = 0; i < count; ++i)
      list->AddItem("row" + std::to_string(i) + ".test",
                    {std::to_string(i), "01/02/03", "04/05/06", "Cookie:u@row.test/"});
  }
  HWND lv() const { return list->ListWindow(); }
  RECT Row(int index) const {
    RECT rc{};
    rc.left = LVIR_BOUNDS;
    SendMessageA(lv(), LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
    return rc;
  }
  // The cell of a row between two x positions, over the row's height.
  RECT Cell(int row, int left, int right) const {
    const RECT r = Row(row);
    return RECT{left, r.top, right, r.bottom};
  }
  // The list painted as it stands, onto `fill`.
  Picture Paint(COLORREF fill = RGB(0, 0, 0)) const { return PrintClient(lv(), fill); }
  // A press (and its release) at client point (x, y) of the platform list.
  void Press(int x, int y) const {
    SendMessageA(lv(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(lv(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
  }
  void PressRow(int index, int x) const {
    const RECT row = Row(index);
    Press(row.left + x, (row.top + row.bottom) / 2);
  }
  void Show() const {
    ShowWindow(host.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(host.get());
  }

  win32::UniqueFont font = win32::MakeFont("MS Sans Serif", -11);
  win32::UniqueWindow host = HostWindow(520, 260);
  std::unique_ptr<TAdvListView> list;  // goes before its host
  std::vector<std::string> events;
};

}  // namespace quillmere::testing
