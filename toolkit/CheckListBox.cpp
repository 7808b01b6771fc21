#include "toolkit/CheckListBox.h"

#include <commctrl.h>
#include <windowsx.h>

#include <stdexcept>
#include <vector>

#include "platform/win32/WideText.h"
#include "toolkit/Controls.h"

namespace quillmere::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr int kBoxMargin = 2;

void CheckIndex(const CheckListBox& box, int index) {
  if (index < 0 || index >= box.Count()) throw std::out_of_range("List index out of bounds");
}

}  // namespace

CheckListBox::CheckListBox(const Args& args) : itemHeight_(args.itemHeight) {
  Create({.className = "QuillmereCheckList",
          .x = args.x,
          .y = args.y,
          .width = args.width,
          .height = args.height,
          .parent = args.parent});
  list_ = CreateControl({.className = "LISTBOX",
                         .style = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                                  LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP,
                         .exStyle = WS_EX_CLIENTEDGE,
                         .width = args.width,
                         .height = args.height,
                         .parent = hwnd(),
                         .font = args.font});
  SendMessageA(list_, LB_SETITEMHEIGHT, 0, itemHeight_);
  if (!SetWindowSubclass(list_, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    throw std::runtime_error("Cannot watch the check list.");
}

void CheckListBox::Clear() { SendMessageA(list_, LB_RESETCONTENT, 0, 0); }

void CheckListBox::Add(const std::string& text) {
  SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int CheckListBox::Count() const { return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)); }

std::string CheckListBox::Text(int index) const {
  CheckIndex(*this, index);
  std::vector<char> text(SendMessageA(list_, LB_GETTEXTLEN, index, 0) + 1);
  SendMessageA(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

void CheckListBox::SetText(int index, const std::string& text) {
  const bool checked = Checked(index);
  const bool selected = SendMessageA(list_, LB_GETCURSEL, 0, 0) == index;
  SendMessageA(list_, LB_DELETESTRING, index, 0);
  SendMessageA(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
  SetChecked(index, checked);
  if (selected) SendMessageA(list_, LB_SETCURSEL, index, 0);
}

bool CheckListBox::Checked(int index) const {
  CheckIndex(*this, index);
  return SendMessageA(list_, LB_GETITEMDATA, index, 0) != 0;
}

void CheckListBox::SetChecked(int index, bool checked) {
  CheckIndex(*this, index);
  SendMessageA(list_, LB_SETITEMDATA, index, checked ? 1 : 0);
  RECT rc;
  if (SendMessageA(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc)) != LB_ERR)
    InvalidateRect(list_, &rc, FALSE);
}

void CheckListBox::Toggle(int index) {
  if (index >= 0 && index < Count()) SetChecked(index, !Checked(index));
}

void CheckListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
  const bool selected = item.itemState & ODS_SELECTED;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (static_cast<int>(item.itemID) < 0) return;
  const int box = itemHeight_ - kBoxMargin;
  RECT check{item.rcItem.left + kBoxMargin, item.rcItem.top + 1,
             item.rcItem.left + kBoxMargin + box, item.rcItem.top + 1 + box};
  DrawFrameControl(item.hDC, &check, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (item.itemData ? DFCS_CHECKED : 0));
  RECT text = item.rcItem;
  text.left = check.right + 4;
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  // Wide, as GDI's ANSI calls keep the system's code page whatever the manifest says.
  const std::wstring caption = Widen(Text(static_cast<int>(item.itemID)));
  DrawTextW(item.hDC, caption.c_str(), -1, &text,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT CALLBACK CheckListBox::ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
  auto& box = *reinterpret_cast<CheckListBox*>(self);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {  // a quick second click ticks back again
      const LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, lParam);
      if (!HIWORD(hit) && GET_X_LPARAM(lParam) < box.itemHeight_ + kBoxMargin)
        box.Toggle(LOWORD(hit));
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        box.Toggle(static_cast<int>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0)));
        return 0;
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ListProc, kSubclassId);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

LRESULT CheckListBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = itemHeight_;
      return TRUE;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace quillmere::win32
