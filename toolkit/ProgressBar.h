#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "platform/win32/Handles.h"
#include "toolkit/WindowHook.h"

namespace quillmere::win32 {

// The platform's horizontal progress bar, whose position a run sets for every item
// it handles; outside tools read it as from any progress bar (PBM_GETPOS).
//
// The control repaints itself for every position it is given, and under Wine that
// paint cycle costs about a millisecond: as much as deleting a cookie. Yet a bar a
// few hundred pixels wide over thousands of items shows the same fill for dozens of
// positions in a row. So a new position whose fill ends at the same pixel as the
// one on the screen is only kept by the bar (nothing on the screen would change),
// and reaches the control when something else comes to the bar (a question for the
// position, a new range or size, the mouse). A position that moves the fill is
// painted from two pictures of the bar as the control paints it, empty and full,
// and likewise reaches the control only when something else comes to the bar.
class ProgressBar {
 public:
  struct Args {
    HWND parent = nullptr;
    int y = 0;
    int width = 0;
    int height = 0;
  };
  explicit ProgressBar(const Args& args);
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  HWND hwnd() const { return hwnd_; }

  // The range is 0 to `max`.
  void SetMax(int max);
  // Held to the range as the control holds it; painted before this returns.
  void SetPosition(int position);

 private:
  // What the fill's end follows from: the range, and the width the control fills.
  struct Fill {
    int min = 0;
    int max = 0;
    int left = 0;  // where the fill starts
    int width = 0;
    int End(int position) const;
  };
  // The control's painting of the bar empty and full; the DCs go before their bitmaps.
  struct Looks {
    UniqueBitmap emptyBitmap;
    UniqueBitmap fullBitmap;
    UniqueDC empty;
    UniqueDC full;
    SIZE size{};
  };

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  std::optional<Fill> MeasureFill() const;
  void TellControl();
  bool PaintStraightOn();
  std::optional<Looks> TakeLooks(const Fill& fill) const;
  bool PaintFromLooks(int fillEnd);

  HWND hwnd_ = nullptr;
  std::unique_ptr<WindowHook> hook_;
  // Measured when first needed after the bar's look may have changed.
  std::optional<Fill> fill_;
  bool measured_ = false;
  // The run's position, and whether the control still holds an older one.
  int position_ = 0;
  bool controlBehind_ = false;
  bool fillBehind_ = false;  // and paints another fill than the screen shows
  std::optional<Looks> looks_;
  // While the control is given a position that moves the fill, its repaint is
  // drawn onto the bar from a picture of the bar; the DC goes before its bitmap.
  bool movingFill_ = false;
  UniqueBitmap picture_;
  UniqueDC pictureDc_;
  SIZE pictureSize_{};
};

}  // namespace quillmere::win32
