#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "common/LogLines.h"
#include "platform/win32/Handles.h"
#include "toolkit/Window.h"

namespace quillmere::win32 {

// A memo for a run's log. It keeps its lines itself and draws only those the view
// shows, so a log of hundreds of thousands of lines costs no more to add to or
// repaint than a short one; a multi-line edit box walks all its lines for every
// append and repaint. For the user and for assistive tools it is what the memo was:
// the same look, both scroll bars, the wheel, the caret and word keys with Shift,
// selection by mouse and of a word by a double-click, the user's typing, Enter,
// Backspace and Delete (by the word with Ctrl), Tab moving the focus on, the edit
// box's keys, messages and context menu for undo, cut, copy, paste, delete and
// select all, and the window's text holding every line (WM_GETTEXT, WM_SETTEXT,
// EM_GETLINECOUNT).
class LogView final : public Window {
 public:
  struct Args {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HFONT font = nullptr;  // the caller's, kept alive as long as the view
  };
  explicit LogView(const Args& args);

  // A line is kept at once and shown at the next Reveal.
  void Add(std::string_view line);
  void Clear();
  // Shows the lines added since the last time, painted at once, with the newest in
  // view as an edit box keeps its caret there after an append.
  void Reveal();

  // The lines ended by a line break, as the program added them unless the user
  // typed: for tests and benchmarks, as the program never reads them back.
  std::vector<std::string> Lines() const { return {log_.All().begin(), log_.All().end()}; }

  // Each time Reveal has painted new lines.
  std::function<void()> OnRevealed;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint(HDC dc);
  void PaintLine(HDC dc, std::size_t index, const RECT& row);
  void MeasureNewLines();
  void Edited(const LogChange& change);
  void Edit(const std::function<LogChange(LogLines&)>& edit);
  void OnChar(wchar_t unit);
  bool Undo();
  void FocusNext(bool backward);
  void Cut();
  void Paste();
  void DeleteSelection();
  int TextWidth(HDC dc, std::string_view text) const;
  LogPosition PositionAt(POINT point) const;
  int CaretX(HDC dc, LogPosition at) const;

  int Rows() const;
  int TextAreaWidth() const;
  void ScrollTo(std::size_t top, int left);
  void PlaceCaret();
  void UpdateScrollBars();
  void OnScroll(int bar, WORD request);
  void OnKey(WPARAM key);
  void OnMouse(UINT message, LPARAM lParam);
  void OnWheel(short delta);
  void OnContextMenu(LPARAM lParam);
  void CopySelection() const;
  void Changed();  // after the caret or selection moved: caret shown, repainted

  LogLines log_;
  HFONT font_;
  int lineHeight_ = 0;
  int charWidth_ = 0;
  std::vector<int> widths_;  // of the lines measured, from the first
  int widest_ = 0;
  wchar_t highSurrogate_ = 0;  // the first half of a character being typed
  std::size_t top_ = 0;        // the first line shown
  int left_ = 0;               // pixels scrolled to the right
  int wheelRest_ = 0;
  bool focused_ = false;
};

}  // namespace quillmere::win32
