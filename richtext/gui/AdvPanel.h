#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "platform/LinkOpener.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32PictureDecoder.h"
#include "richtext/AdvImage.h"
#include "richtext/PanelView.h"
#include "richtext/PictureCache.h"
#include "richtext/gui/GdiFonts.h"
#include "toolkit/Window.h"

namespace quillmere {

// A panel that shows a mini-HTML text on a plain background inside a bevel. Its
// links answer the pointer: the hand cursor over them, the system's handler for
// addresses and mail links pressed, OnAnchorClick for the program's own links.
// Every change of what it shows repaints it, and each paint lays the whole text
// out again.
class TAdvPanel final : public win32::Window {
 public:
  struct Args {
    HWND parent = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int id = 0;
    richtext::FontState font;  // the parent's font, which the panel takes
  };
  // Links to open go to `opener`, which outlives the panel.
  TAdvPanel(const Args& args, LinkOpener& opener);

  const std::string& Text() const { return text_; }
  void SetText(std::string text) { Restyle(text_, std::move(text)); }
  // The source of IDX images, kept by the caller; nullptr for none.
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST images) { Restyle(images_, images); }
  richtext::TPictureContainer* PictureContainer() const { return pictureContainer_; }
  void SetPictureContainer(richtext::TPictureContainer* container) {
    Restyle(pictureContainer_, container);
  }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { Restyle(color_, color); }
  const richtext::FontState& Font() const { return font_; }
  void SetFont(const richtext::FontState& font) { Restyle(font_, font); }
  const richtext::PanelBevels& Bevels() const { return bevels_; }
  void SetBevels(const richtext::PanelBevels& bevels) { Restyle(bevels_, bevels); }
  TColor URLColor() const { return urlColor_; }
  void SetURLColor(TColor color) { Restyle(urlColor_, color); }
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor color) { Restyle(shadowColor_, color); }
  int ShadowOffset() const { return shadowOffset_; }
  void SetShadowOffset(int offset) { Restyle(shadowOffset_, offset); }
  richtext::TTextVAlignment TextVAlign() const { return textVAlign_; }
  void SetTextVAlign(richtext::TTextVAlignment alignment) { Restyle(textVAlign_, alignment); }
  // Changing the picture repaints the panel.
  richtext::TAdvImage& Background() { return background_; }
  richtext::TBackGroundPosition BackgroundPosition() const { return backgroundPosition_; }
  void SetBackgroundPosition(richtext::TBackGroundPosition position) {
    Restyle(backgroundPosition_, position);
  }
  // These take effect from the next pointer move or paint.
  bool Hover() const { return hover_; }
  void SetHover(bool hover) { hover_ = hover; }
  TColor HoverColor() const { return hoverColor_; }
  void SetHoverColor(TColor color) { hoverColor_ = color; }
  TColor HoverFontColor() const { return hoverFontColor_; }
  void SetHoverFontColor(TColor color) { hoverFontColor_ = color; }
  bool AnchorHint() const { return anchorHint_; }
  void SetAnchorHint(bool anchorHint) { anchorHint_ = anchorHint; }

  // The value of the link at client point (x, y); empty over anything else. The
  // link whose text is under the point becomes the hovered one.
  std::string HitTest(int x, int y);

  // The tip that shows a link's value with AnchorHint; null until first shown.
  HWND HintWindow() const { return hint_.get(); }

  std::function<void(TAdvPanel& sender, const std::string& anchor)> OnAnchorClick;
  std::function<void(TAdvPanel& sender, const std::string& anchor)> OnAnchorEnter;
  std::function<void(TAdvPanel& sender, const std::string& anchor)> OnAnchorExit;
  // May change the text the hint shows.
  std::function<void(TAdvPanel& sender, std::string& anchor)> OnAnchorHint;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  template <typename Value>
  void Restyle(Value& setting, Value value) {
    setting = std::move(value);
    Repaint();
  }
  void Repaint();
  // The one paint routine of WM_PAINT and WM_PRINTCLIENT.
  void Paint(HDC dc);
  richtext::PanelView View();

  void OnPress(POINT point);
  void OnPointerMove(POINT point);
  void OnPointerLeave();
  void LeaveLink();
  void RepaintLink(const richtext::Rect& rect);
  void ShowHint(std::string anchor, POINT point);
  void HideHint();

  LinkOpener& opener_;
  win32::Win32PictureDecoder decoder_;
  richtext::THTMLPictureCache pictureCache_{decoder_};
  richtext::TAdvImage background_{decoder_};
  richtext::GdiFonts fonts_;
  win32::UniqueWindow hint_;

  std::string text_;
  HIMAGELIST images_ = nullptr;
  richtext::TPictureContainer* pictureContainer_ = nullptr;
  TColor color_ = richtext::SystemColor(15);
  richtext::FontState font_;
  richtext::PanelBevels bevels_;
  TColor urlColor_ = clBlue;
  TColor hoverColor_ = richtext::clNone;
  TColor hoverFontColor_ = richtext::clNone;
  TColor shadowColor_ = richtext::clGray;
  int shadowOffset_ = 2;
  richtext::TTextVAlignment textVAlign_ = richtext::tvaTop;
  richtext::TBackGroundPosition backgroundPosition_ = richtext::bpTopLeft;
  bool hover_ = false;
  bool anchorHint_ = false;

  // The pointer.
  int hoverLinkNo_ = -1;  // the link whose text is under the pointer
  std::string hoverAnchor_;
  richtext::Rect hoverRect_;
  richtext::Rect hitRect_;  // of the link the last hit test found
  bool handShown_ = false;
  bool trackingLeave_ = false;
};

}  // namespace quillmere
