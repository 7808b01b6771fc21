// The run's log behaves for the user and for assistive tools as the multi-line edit
// box it replaced: its look, the window's text, the keys, the mouse and the clipboard.
#include "toolkit/LogView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"
#include "tests/support/ControlPixels.h"
#include "tests/support/GuiTestSupport.h"
#include "toolkit/Controls.h"

namespace quillmere {
namespace {

constexpr int kWidth = 537;
constexpr int kHeight = 262;

class LogViewTest : public ::testing::Test {
 protected:
  LogViewTest()
      : font_(win32::MakeFont("Sylfaen", -13)),
        host_(CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 20, 20, kWidth, 2 * kHeight,
                              nullptr, nullptr, nullptr, nullptr)),
        view_(std::make_unique<win32::LogView>(win32::LogView::Args{
            .parent = host_, .width = kWidth, .height = kHeight, .font = font_.get()})) {
    testing::PumpMessages();
  }
  ~LogViewTest() override {
    view_.reset();
    DestroyWindow(host_);
  }

  HWND view() const { return view_->hwnd(); }
  void AddLines(int count, const std::string& stem = "line ") {
    for (int i = 0; i < count; ++i) view_->Add(stem + std::to_string(i));
    view_->Reveal();
  }
  // A key as the user types it, with Shift and Ctrl held or not.
  void Key(WPARAM key, bool shift = false, bool control = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageA(view(), WM_KEYDOWN, key, 0);
    keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }
  int Top() const { return GetScrollPos(view(), SB_VERT); }
  static std::string Clipboard() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "(clipboard held)";
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
        text = win32::Narrow(wide);
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return text;
  }
  static void EmptyTheClipboard() {
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
  }

  win32::UniqueFont font_;
  HWND host_;
  std::unique_ptr<win32::LogView> view_;
};

// Drawn as the memo drew the same lines: the same font, colours and place. (Wine's
// edit box lays long lines out through Uniscribe, a pixel narrower now and then,
// and has no fallback font for a letter its face lacks, so the lines are short and
// Latin.)
TEST_F(LogViewTest, ShowsItsLinesAsTheEditBoxDidInTheSameFont) {
  const HWND edit = win32::CreateControl(
      {.className = "EDIT",
       .style = ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL,
       .exStyle = WS_EX_CLIENTEDGE,
       .y = kHeight,
       .width = kWidth,
       .height = kHeight,
       .parent = host_,
       .font = font_.get()});
  std::string text;
  for (const char* line :
       {"Clearing AOL 4.0 History Files...", "Deleting : logo.art", "", "AOL 5.0 Clean!"}) {
    view_->Add(line);
    text.append(line).append("\r\n");
  }
  view_->Reveal();
  SetWindowTextA(edit, text.c_str());
  SendMessageA(edit, EM_SETSEL, 0, 0);
  testing::PumpMessages();
  RECT client;
  GetClientRect(view(), &client);
  EXPECT_EQ(testing::OnScreen(view(), client.right, client.bottom),
            testing::OnScreen(edit, client.right, client.bottom));
  DestroyWindow(edit);
}

// What assistive tools read: every line in order, each ended by CR LF as in the
// edit box, beyond the 30,000 characters an edit box holds unless told otherwise.
TEST_F(LogViewTest, TheWindowsTextIsEveryLineInOrder) {
  view_->Add("Zoë Łukasz 李");
  AddLines(2000, std::string(20, 'y'));
  std::string expected = "Zoë Łukasz 李\r\n";
  for (int i = 0; i < 2000; ++i) expected += std::string(20, 'y') + std::to_string(i) + "\r\n";
  const int length = GetWindowTextLengthA(view());
  ASSERT_EQ(length, static_cast<int>(expected.size()));
  std::string text(length + 1, '\0');
  ASSERT_EQ(GetWindowTextA(view(), text.data(), length + 1), length);
  text.resize(length);
  EXPECT_EQ(text, expected);
  std::wstring wide(length + 1, L'\0');
  wide.resize(GetWindowTextW(view(), wide.data(), length + 1));
  EXPECT_EQ(win32::Narrow(wide), expected);
  EXPECT_EQ(SendMessageA(view(), EM_GETLINECOUNT, 0, 0), 2002);
}

TEST_F(LogViewTest, KeysScrollTheViewAlongWithTheCaret) {
  AddLines(200);
  const int last = Top();
  EXPECT_GT(last, 150);  // the newest line in view
  SetFocus(view());
  Key(VK_HOME, false, true);
  EXPECT_EQ(Top(), 0);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_PAGE;
  GetScrollInfo(view(), SB_VERT, &info);
  const int page = static_cast<int>(info.nPage);
  Key(VK_NEXT);
  Key(VK_NEXT);
  EXPECT_EQ(Top(), 2 * page);
  Key(VK_PRIOR);
  EXPECT_EQ(Top(), page);
  Key(VK_HOME, false, true);
  for (int i = 0; i < page; ++i) Key(VK_DOWN);
  EXPECT_EQ(Top(), 1);
  Key(VK_END, false, true);
  EXPECT_EQ(Top(), last);
}

TEST_F(LogViewTest, TheWheelAndTheScrollBarsMoveTheView) {
  AddLines(200);
  SendMessageA(view(), WM_VSCROLL, SB_TOP, 0);
  SendMessageA(view(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  UINT perNotch = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &perNotch, 0);
  EXPECT_EQ(Top(), static_cast<int>(perNotch));
  SendMessageA(view(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Top(), static_cast<int>(perNotch) + 1);
  SendMessageA(view(), WM_MOUSEWHEEL, MAKEWPARAM(0, 10 * WHEEL_DELTA), 0);
  EXPECT_EQ(Top(), 0);
  // A line wider than the view is not wrapped: the horizontal bar reaches its end.
  view_->Add(std::string(300, 'w'));
  view_->Reveal();
  SendMessageA(view(), WM_HSCROLL, SB_BOTTOM, 0);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(view(), SB_HORZ, &info);
  EXPECT_GT(info.nMax, 2 * kWidth);
  EXPECT_EQ(info.nPos + static_cast<int>(info.nPage), info.nMax + 1);
}

// Selected with the mouse or with Shift and the keys, copied with Ctrl+C, Ctrl+Insert
// or WM_COPY as the context menu's Copy does; Ctrl+A takes every line.
TEST_F(LogViewTest, WhatTheUserSelectsIsWhatACopyPutsOnTheClipboard) {
  AddLines(50, "Deleting : file");
  SendMessageA(view(), WM_VSCROLL, SB_TOP, 0);
  RECT client;
  GetClientRect(view(), &client);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_PAGE;
  GetScrollInfo(view(), SB_VERT, &info);
  const int lineHeight = client.bottom / static_cast<int>(info.nPage);
  // A click before line 1, a drag to the start of line 3.
  SendMessageA(view(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, lineHeight + 2));
  SendMessageA(view(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 3 * lineHeight + 2));
  SendMessageA(view(), WM_LBUTTONUP, 0, MAKELPARAM(0, 3 * lineHeight + 2));
  EmptyTheClipboard();
  Key('C', false, true);
  EXPECT_EQ(Clipboard(), "Deleting : file1\r\nDeleting : file2\r\n");
  Key(VK_END, true);
  SendMessageA(view(), WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard(), "Deleting : file1\r\nDeleting : file2\r\nDeleting : file3");
  Key(VK_END);
  Key(VK_LEFT, true);
  Key(VK_INSERT, false, true);
  EXPECT_EQ(Clipboard(), "3");
  Key('A', false, true);
  Key('C', false, true);
  std::string every(GetWindowTextLengthA(view()) + 1, '\0');
  every.resize(GetWindowTextA(view(), every.data(), static_cast<int>(every.size())));
  EXPECT_EQ(Clipboard(), every);
}

// A click moves the view with the caret, and the selected characters are drawn in
// the selection's colours.
TEST_F(LogViewTest, ASelectionIsShownInTheSelectionsColours) {
  AddLines(5, "Selected ");
  RECT client;
  GetClientRect(view(), &client);
  const auto before = testing::OnScreen(view(), client.right, client.bottom);
  SetFocus(view());
  const auto highlighted = [&](const std::vector<std::uint32_t>& pixels) {
    const COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
    const std::uint32_t rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    return std::count(pixels.begin(), pixels.end(), rgb);
  };
  EXPECT_EQ(highlighted(before), 0);
  Key(VK_HOME, false, true);
  Key(VK_END, true);
  testing::PumpMessages();
  const auto selected = testing::OnScreen(view(), client.right, client.bottom);
  EXPECT_GT(highlighted(selected), 100);
  SetFocus(host_);
  testing::PumpMessages();
  EXPECT_EQ(testing::OnScreen(view(), client.right, client.bottom), before);
}

}  // namespace
}  // namespace quillmere
