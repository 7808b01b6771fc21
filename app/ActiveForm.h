#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/Handles.h"
#include "toolkit/LogView.h"
#include "toolkit/Panel.h"
#include "toolkit/Window.h"

namespace quillmere {

// The always-on-top log of the current run: every status message is one line.
class TActiveForm final : public win32::Window {
 public:
  explicit TActiveForm(HWND owner);
  ~TActiveForm() override;

  void AddLine(std::string_view text);
  void ClearLines();
  std::vector<std::string> Lines() const { return StatusMemo->Lines(); }
  win32::LogView& Memo() { return *StatusMemo; }

  // Non-modal: it comes up in front and blocks nothing.
  void Show();
  void Hide();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Lines are shown in batches during a run: every kFollowMs while showing a batch
  // is quick, less often should a batch take longer to show, and never less often
  // than every kMaxFollowMs: under a quarter second by enough that, with the time a
  // batch takes to start, one still comes within a quarter second.
  static constexpr DWORD kFollowMs = 100;
  static constexpr DWORD kMaxFollowMs = 200;
  static constexpr UINT kFlushLines = WM_APP + 1;

  void PaintHeader(HDC dc);
  void FlushLines();

  win32::UniqueFont font_;
  win32::UniqueFont headerFont_;
  win32::UniqueFont memoFont_;
  std::unique_ptr<win32::Panel> Panel3;
  std::unique_ptr<win32::LogView> StatusMemo;
  DWORD lastFlush_ = 0;  // when the last batch started to be shown
  DWORD followMs_ = kFollowMs;
  bool flushPosted_ = false;
};

}  // namespace quillmere
