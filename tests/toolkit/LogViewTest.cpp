// The run's log behaves for the user and for assistive tools as the multi-line edit
// box it replaced: its look, the window's text, the keys, the mouse and the clipboard.
#include "toolkit/LogView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
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
  std::string WindowText() const {
    std::wstring text(GetWindowTextLengthW(view()) + 1, L'\0');
    text.resize(GetWindowTextW(view(), text.data(), static_cast<int>(text.size())));
    return win32::Narrow(text);
  }
  // The context menu opened from the keyboard: its items as shown, each with
  // whether it may be chosen, and the item with the mnemonic `key` chosen.
  std::vector<std::pair<std::wstring, bool>> MenuChoosing(wchar_t key) {
    static std::vector<std::pair<std::wstring, bool>> items;
    static wchar_t choice;
    items.clear();
    choice = key;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
      const HWND popup = FindWindowA("#32768", nullptr);
      if (!popup || !items.empty()) return;
      const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
      for (int at = 0; at < GetMenuItemCount(menu); ++at) {
        if (GetMenuState(menu, at, MF_BYPOSITION) & MF_SEPARATOR) continue;
        wchar_t caption[64] = L"";
        GetMenuStringW(menu, at, caption, 64, MF_BYPOSITION);
        items.emplace_back(caption, !(GetMenuState(menu, at, MF_BYPOSITION) & MF_GRAYED));
      }
      PostMessageW(popup, WM_CHAR, choice, 0);
    });
    SendMessageW(view(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(view()), -1);
    KillTimer(nullptr, timer);
    return items;
  }
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
  // A double-click takes the word under it, and the blank after it.
  SendMessageA(view(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, lineHeight + 2));
  SendMessageA(view(), WM_LBUTTONUP, 0, MAKELPARAM(20, lineHeight + 2));
  Key('C', false, true);
  EXPECT_EQ(Clipboard(), "Deleting ");
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

// The memo stays editable by the user, as the edit box was: characters come from
// the keyboard in UTF-16, a character beyond the first 65,536 in two halves; Ctrl
// with Backspace or Delete takes a word; the edit box's keys and messages undo; Tab
// types nothing but moves the focus to the next control, as a memo that takes no
// tabs does.
TEST_F(LogViewTest, WhatTheUserTypesChangesTheWindowsText) {
  AddLines(2, "Deleting : file");
  SetFocus(view());
  Key(VK_END, false, true);
  for (const wchar_t unit : std::wstring(L"Zoë \xD83D\xDE00\r李x\x03")) {
    SendMessageW(view(), WM_CHAR, unit, 0);
  }
  EXPECT_EQ(WindowText(), "Deleting : file0\r\nDeleting : file1\r\nZoë 😀\r\n李x");
  SendMessageW(view(), WM_CHAR, L'\b', 0);
  Key(VK_HOME, false, true);
  Key(VK_DELETE);
  Key(VK_END);
  Key(VK_DELETE);  // joins the next line
  EXPECT_EQ(WindowText(), "eleting : file0Deleting : file1\r\nZoë 😀\r\n李");
  // A line the program adds after the typing is a new last line.
  view_->Add("added");
  view_->Reveal();
  EXPECT_EQ(WindowText(), "eleting : file0Deleting : file1\r\nZoë 😀\r\n李\r\nadded\r\n");
  EXPECT_EQ(SendMessageA(view(), EM_GETLINECOUNT, 0, 0), 5);

  Key(VK_HOME, false, true);
  Key(VK_RIGHT, false, true);
  Key(VK_DELETE, false, true);
  Key(VK_END);
  Key(VK_BACK, false, true);
  SendMessageW(view(), WM_CHAR, 0x7F, 0);  // what the keyboard makes of Ctrl+Backspace
  const std::string edited = "eleting file0Deleting : \r\nZoë 😀\r\n李\r\nadded\r\n";
  EXPECT_EQ(WindowText(), edited);
  ASSERT_TRUE(SendMessageW(view(), EM_CANUNDO, 0, 0));
  Key('Z', false, true);
  const std::string undone = "eleting file0Deleting : file1\r\nZoë 😀\r\n李\r\nadded\r\n";
  EXPECT_EQ(WindowText(), undone);
  SendMessageW(view(), WM_SYSKEYDOWN, VK_BACK, 1 << 29);  // Alt+Backspace
  EXPECT_EQ(WindowText(), edited);
  EXPECT_TRUE(SendMessageW(view(), WM_UNDO, 0, 0));
  EXPECT_EQ(WindowText(), undone);
  SendMessageW(view(), EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_FALSE(SendMessageW(view(), EM_UNDO, 0, 0));
  EXPECT_EQ(WindowText(), undone);

  const HWND next = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, kHeight,
                                    80, 20, host_, nullptr, nullptr, nullptr);
  Key(VK_TAB);
  SendMessageW(view(), WM_CHAR, L'\t', 0);
  EXPECT_EQ(GetFocus(), next);
  EXPECT_EQ(WindowText(), undone);
  DestroyWindow(next);

  ASSERT_TRUE(SetWindowTextW(view(), L"new\ntext"));
  EXPECT_EQ(WindowText(), "new\r\ntext");
  view_->Clear();
  EXPECT_EQ(WindowText(), "");
}

// Cut and paste go through the real clipboard, by the keys, the messages and the
// edit box's context menu, whose commands are greyed when they would do nothing.
TEST_F(LogViewTest, CutAndPasteGoThroughTheClipboard) {
  AddLines(3, "Deleting : file");
  SetFocus(view());
  Key(VK_HOME, false, true);
  Key(VK_DOWN, true);
  Key('X', false, true);
  EXPECT_EQ(Clipboard(), "Deleting : file0\r\n");
  Key(VK_END, false, true);
  Key('V', false, true);
  Key(VK_INSERT, true);
  EXPECT_EQ(WindowText(),
            "Deleting : file1\r\nDeleting : file2\r\nDeleting : file0\r\nDeleting : file0\r\n");
  Key(VK_HOME, false, true);
  Key(VK_END, true);
  Key(VK_DELETE, true);  // Shift+Delete cuts
  EXPECT_EQ(Clipboard(), "Deleting : file1");
  SendMessageW(view(), WM_PASTE, 0, 0);
  Key(VK_HOME);
  Key(VK_RIGHT, true);
  SendMessageW(view(), WM_CUT, 0, 0);
  Key(VK_RIGHT, true);
  SendMessageW(view(), WM_CLEAR, 0, 0);
  Key(VK_END);
  Key(VK_DELETE, true);  // with nothing selected, the character before the caret
  EXPECT_EQ(Clipboard(), "D");
  EXPECT_EQ(WindowText(),
            "leting : file\r\nDeleting : file2\r\nDeleting : file0\r\nDeleting : file0\r\n");

  Key(VK_HOME, false, true);
  const std::vector<std::pair<std::wstring, bool>> nothingSelected = MenuChoosing('P');
  EXPECT_EQ(nothingSelected, (std::vector<std::pair<std::wstring, bool>>{{L"&Undo", true},
                                                                         {L"Cu&t", false},
                                                                         {L"&Copy", false},
                                                                         {L"&Paste", true},
                                                                         {L"&Delete", false},
                                                                         {L"Select &All", true}}));
  const std::string pasted = WindowText();
  EXPECT_EQ(pasted.substr(0, 16), "Dleting : file\r\n");
  Key('A', false, true);
  const std::vector<std::pair<std::wstring, bool>> allSelected = MenuChoosing('D');
  EXPECT_TRUE(allSelected.at(1).second);
  EXPECT_TRUE(allSelected.at(4).second);
  EXPECT_FALSE(allSelected.at(5).second);
  EXPECT_EQ(WindowText(), "");
  MenuChoosing('U');
  EXPECT_EQ(WindowText(), pasted);
  // What the program clears cannot be undone.
  view_->Clear();
  EXPECT_EQ(MenuChoosing('P').at(0), (std::pair<std::wstring, bool>{L"&Undo", false}));
  EXPECT_EQ(WindowText(), "D");
}

}  // namespace
}  // namespace quillmere
