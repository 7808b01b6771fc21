#include "app/HelpForm.h"

#include <commctrl.h>

#include "toolkit/ProgramIcon.h"

namespace quillmere {
namespace {

constexpr int kWidth = 455;
constexpr int kHeight = 251;
constexpr int kPictureSize = 32;

// The window's font, MS Sans Serif of 8 points (11 pixels at 96 pixels per inch),
// which the panel takes.
const richtext::FontState kFont{"MS Sans Serif", 8, clWindowText, 0};

constexpr const char* kHelpText =
    "<IMG src=\"idx:0\">  <FONT size=\"18\">Quillmere</FONT>    <hr>"
    "<br>Quillmere Helps to keep your system clean by deleteing cookies left from visiting "
    "websites, Internet Explorer Cached web pages, your Recycle Bin and other bits and bats."
    "<br><br>The Program is split into two parts"
    "<br>1. Cookies, so you can choose which cookies you may wish to keep "
    "<br>2. System, cached files etc left behind by applications or windows."
    "<br><br>Use the \"Check All\" button or tick a box next to the cookie or application data "
    "you wish to erase , then press the \"Clean Up\" button, Simple!";

// The help page's picture; without the icon among the resources the list stays
// empty and the page shows no picture.
win32::UniqueImageList MakeImageList1() {
  win32::UniqueImageList list(
      ImageList_Create(kPictureSize, kPictureSize, ILC_COLOR32 | ILC_MASK, 1, 0));
  const win32::UniqueIcon icon = win32::LoadProgramIcon(kPictureSize);
  if (list && icon) ImageList_AddIcon(list.get(), icon.get());
  return list;
}

}  // namespace

Thelpform::Thelpform(HWND owner) : ImageList1_(MakeImageList1()) {
  const RECT frame = win32::CentredOuterRect(kWidth, kHeight);
  Create({.className = "Thelpform",
          .title = "Quillmere Help",
          .style = WS_OVERLAPPEDWINDOW,
          .x = frame.left,
          .y = frame.top,
          .width = kWidth,
          .height = kHeight,
          .parent = owner,
          .background = GetSysColorBrush(COLOR_BTNFACE)});
  RECT client{};
  GetClientRect(hwnd(), &client);
  AdvPanel1_ = std::make_unique<TAdvPanel>(
      TAdvPanel::Args{
          .parent = hwnd(), .width = client.right, .height = client.bottom, .font = kFont},
      opener_);
  TAdvPanel& panel = *AdvPanel1_;
  panel.SetColor(clWhite);
  panel.SetImages(ImageList1_.get());
  panel.SetText(kHelpText);
}

LRESULT Thelpform::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE && AdvPanel1_) {
    MoveWindow(AdvPanel1_->hwnd(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
  }
  return Default(message, wParam, lParam);
}

void ShowHelpForm(HWND from) {
  const HWND owner = GetAncestor(from, GA_ROOT);
  Thelpform help(owner);
  help.ShowModal(owner);
}

}  // namespace quillmere
