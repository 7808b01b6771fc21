#pragma once

#include <windows.h>

#include <string>

#include "toolkit/Window.h"

namespace quillmere::win32 {

// A list of text items with one tick box each. A click on an item's box or the
// space bar on the selected item ticks or unticks it.
class CheckListBox final : public Window {
 public:
  struct Args {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int itemHeight = 13;
    HFONT font = nullptr;
  };
  explicit CheckListBox(const Args& args);

  HWND list() const { return list_; }
  void Clear();
  void Add(const std::string& text);
  int Count() const;
  std::string Text(int index) const;
  // Replaces the item's text; its tick stays.
  void SetText(int index, const std::string& text);
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  void DrawItem(const DRAWITEMSTRUCT& item) const;
  void Toggle(int index);

  int itemHeight_;
  HWND list_ = nullptr;
};

}  // namespace quillmere::win32
