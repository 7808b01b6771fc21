#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/Handles.h"
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
  std::vector<std::string> Lines() const;

  // Non-modal: it comes up in front and blocks nothing.
  void Show();
  void Hide();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void PaintHeader(HDC dc);

  win32::UniqueFont font_;
  win32::UniqueFont headerFont_;
  win32::UniqueFont memoFont_;
  std::unique_ptr<win32::Panel> Panel3;
  HWND StatusMemo = nullptr;
};

}  // namespace quillmere
