#include "toolkit/KeptBackground.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vsstyle.h>

#include "toolkit/Pixels.h"

namespace quillmere::win32 {

std::unique_ptr<KeptBackground> KeptBackground::Take(HWND bar, const std::wstring& text) {
  const HTHEME theme = GetWindowTheme(bar);
  if (!theme) return nullptr;
  RECT client{};
  GetClientRect(bar, &client);
  std::unique_ptr<KeptBackground> kept(new KeptBackground);
  kept->size_ = SIZE{client.right, client.bottom};
  const auto byControl = PaintedPixels(kept->size_.cx, kept->size_.cy, [&](HDC dc) {
    SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  });
  if (byControl.empty() || !kept->Draw(bar, theme, client)) return nullptr;
  const auto byKept =
      PaintedPixels(kept->size_.cx, kept->size_.cy, [&](HDC dc) { kept->Paint(dc, text); });
  if (byControl != byKept) return nullptr;
  return kept;
}

void KeptBackground::Paint(HDC dc, const std::wstring& text) const {
  const HDC picture = pictureDc_.get();
  BitBlt(picture, 0, 0, size_.cx, size_.cy, backgroundDc_.get(), 0, 0, SRCCOPY);
  RECT rect = paneRect_;
  rect.left += 3;
  DrawTextW(picture, text.c_str(), -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  BitBlt(dc, 0, 0, size_.cx, size_.cy, picture, 0, 0, SRCCOPY);
}

// The bar's background and its pane, drawn by the theme as the control draws them
// behind its text; and the picture the text is drawn on, with the text's font and
// colour as the control draws it (the button text colour, on what is there).
bool KeptBackground::Draw(HWND bar, HTHEME theme, const RECT& client) {
  if (!SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&paneRect_))) return false;
  // Pictures of its own, not the display's: copying between them stays inside this
  // process (under Wine, a display bitmap lives in the X server).
  background_ = MakeDibSection(size_.cx, size_.cy);
  backgroundDc_.reset(CreateCompatibleDC(nullptr));
  picture_ = MakeDibSection(size_.cx, size_.cy);
  pictureDc_.reset(CreateCompatibleDC(nullptr));
  if (!background_ || !backgroundDc_ || !picture_ || !pictureDc_) return false;
  const HDC dc = backgroundDc_.get();
  SelectObject(dc, background_.get());
  const HDC picture = pictureDc_.get();
  SelectObject(picture, picture_.get());
  if (const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(bar, WM_GETFONT, 0, 0))) {
    SelectObject(picture, font);
  }
  SetBkMode(picture, TRANSPARENT);
  SetTextColor(picture, GetSysColor(COLOR_BTNTEXT));
  return SUCCEEDED(DrawThemeBackground(theme, dc, 0, 0, &client, nullptr)) &&
         SUCCEEDED(DrawThemeBackground(theme, dc, SP_PANE, 0, &paneRect_, nullptr));
}

}  // namespace quillmere::win32
