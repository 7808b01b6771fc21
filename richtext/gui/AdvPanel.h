#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/LinkOpener.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32PictureDecoder.h"
#include "richtext/AdvImage.h"
#include "richtext/PanelPlacement.h"
#include "richtext/PanelPosition.h"
#include "richtext/PanelView.h"
#include "richtext/PictureCache.h"
#include "richtext/gui/GdiFonts.h"
#include "toolkit/Window.h"

namespace quillmere {

// A panel that shows a mini-HTML text on a plain background inside a bevel. Its
// links answer the pointer: the hand cursor over them, the system's handler for
// addresses and mail links pressed, OnAnchorClick for the program's own links.
// Every change of what it shows repaints it, and each paint lays the whole text
// out again. A caption bar may top it, with buttons that close and collapse it and a
// bar that moves it; a corner may size it; it may keep its place between runs.
class TAdvPanel : public win32::Window {
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
  // The window goes first, so that the panel still saves its place.
  ~TAdvPanel() override;

  static constexpr const char* kClassName = "TAdvPanel";

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

  // --- Caption, moving and sizing
  const richtext::TPanelCaption& Caption() const { return caption_; }
  void SetCaption(richtext::TPanelCaption caption) { Restyle(caption_, std::move(caption)); }
  // Dragging the caption bar moves the panel; with ShowMoveCursor the move cursor
  // shows meanwhile.
  bool CanMove() const { return canMove_; }
  void SetCanMove(bool canMove) { canMove_ = canMove; }
  bool ShowMoveCursor() const { return showMoveCursor_; }
  void SetShowMoveCursor(bool show) { showMoveCursor_ = show; }
  // The bottom-right corner, a scroll-bar arrow wide, sizes the panel.
  bool CanSize() const { return canSize_; }
  void SetCanSize(bool canSize) { Restyle(canSize_, canSize); }
  // Collapsed, the panel is as high as its caption and expands to the height it had.
  bool Collaps() const { return collapse_.Collapsed(); }
  void SetCollaps(bool collaps);
  // What moving and sizing keep.
  bool FixedTop() const { return fixed_.top; }
  void SetFixedTop(bool fixed) { fixed_.top = fixed; }
  bool FixedLeft() const { return fixed_.left; }
  void SetFixedLeft(bool fixed) { fixed_.left = fixed; }
  bool FixedHeight() const { return fixed_.height; }
  void SetFixedHeight(bool fixed) { fixed_.height = fixed; }
  bool FixedWidth() const { return fixed_.width; }
  void SetFixedWidth(bool fixed) { fixed_.width = fixed; }
  // The cursor over the panel where no link is; leaving a link shows it again.
  HCURSOR Cursor() const { return cursor_; }
  void SetCursor(HCURSOR cursor) { cursor_ = cursor; }

  // --- The place kept between runs: with Save, written through `ports` when the
  // window goes and read back by Loaded. A save that fails is thrown as an error.
  const richtext::TPanelPosition& Position() const { return position_; }
  void SetPosition(richtext::TPanelPosition position, richtext::PositionPorts ports);
  // The owner has set the panel up: its saved place, if any, is taken.
  void Loaded();
  // The panel's place in its parent's client area, with the full height while it is
  // collapsed.
  richtext::PanelBounds Bounds() const;

  std::function<void(TAdvPanel& sender, const std::string& anchor)> OnAnchorClick;
  std::function<void(TAdvPanel& sender, const std::string& anchor)> OnAnchorEnter;
  std::function<void(TAdvPanel& sender, const std::string& anchor)> OnAnchorExit;
  // May change the text the hint shows.
  std::function<void(TAdvPanel& sender, std::string& anchor)> OnAnchorHint;
  // The caption's close button hid the panel.
  std::function<void(TAdvPanel& sender)> OnClose;
  // The caption's other button collapsed (minimised) or expanded (maximised) it.
  std::function<void(TAdvPanel& sender)> OnMinimize;
  std::function<void(TAdvPanel& sender)> OnMaximize;
  // A press on the caption bar beside its buttons.
  std::function<void(TAdvPanel& sender)> OnCaptionClick;
  // A move or a sizing by the pointer ended.
  std::function<void(TAdvPanel& sender)> OnEndMoveSize;

  // Sent to the panel's parent whenever a panel was moved, sized, collapsed,
  // expanded or closed (wParam: the panel's window), so that a group can stack its
  // panels anew.
  static UINT ChangedMessage();

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

  // The caption bar, the sizing corner and the drags they start.
  enum class Drag { kNone, kMove, kSize };
  bool OnCaptionPress(POINT point);
  void OnDrag(POINT point);
  void EndDrag();
  void PlaceAt(const richtext::PanelBounds& bounds);
  void TellParent();
  int GripSize() const;
  // The cursor the pointer shows where it is now.
  HCURSOR PointerCursor() const;
  static HCURSOR SystemCursor(LPCSTR id) { return LoadCursorA(nullptr, id); }
  void SavePosition();

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
  richtext::TPanelCaption caption_;
  bool canMove_ = false;
  bool canSize_ = false;
  bool showMoveCursor_ = false;
  richtext::CollapseState collapse_;
  richtext::FixedEdges fixed_;
  HCURSOR cursor_ = nullptr;
  richtext::TPanelPosition position_;
  std::optional<richtext::PositionPorts> positionPorts_;

  // A drag of the caption bar or the sizing corner.
  Drag drag_ = Drag::kNone;
  POINT dragFrom_{};  // on the screen
  richtext::PanelBounds dragStart_;

  // The pointer.
  int hoverLinkNo_ = -1;  // the link whose text is under the pointer
  std::string hoverAnchor_;
  richtext::Rect hoverRect_;
  richtext::Rect hitRect_;  // of the link the last hit test found
  bool handShown_ = false;
  bool trackingLeave_ = false;
};

}  // namespace quillmere
