#include "richtext/HTMLPicture.h"

#include "richtext/Arithmetic.h"
#include "richtext/DownLoadThread.h"
#include "richtext/GifFrames.h"
#include "richtext/Markup.h"
#include "richtext/Surface.h"

namespace quillmere::richtext {

void THTMLPicture::SetFrame(int frame) {
  frame_ = frame;
  if (Data().empty()) return;
  Redecode();
  if (OnFrameChange) OnFrameChange(*this);
}

int THTMLPicture::GifFrameTotal() {
  if (frameTotal_ != -1) return frameTotal_;
  if (!IsGif(Data())) return -1;
  frameTotal_ = CountGifFrames(Data());
  return frameTotal_;
}

PictureBytes THTMLPicture::BytesToDecode() {
  frameOffsetX_ = frameOffsetY_ = screenWidth_ = screenHeight_ = 0;
  if (!IsGif(Data()) || GifFrameTotal() <= 0) return Data();
  GifFrame selected = SelectGifFrame(Data(), frame_);
  frameOffsetX_ = selected.offsetX;
  frameOffsetY_ = selected.offsetY;
  screenWidth_ = selected.screenWidth;
  screenHeight_ = selected.screenHeight;
  return std::move(selected.bytes);
}

void THTMLPicture::LoadSource(std::string_view source) {
  const std::string upper = UpperCase(source);
  const std::string_view text = upper;
  if (text.starts_with("RES://")) {
    identifier_ = upper;
    if (text.size() > 6) LoadFromResourceName(std::string(text.substr(6)));
  } else if (text.starts_with("FILE://")) {
    identifier_ = upper;
    if (text.size() > 7) LoadFromFile(std::string(text.substr(7)));
  } else if (!asyncLoad_) {
    url_ = upper;
    identifier_ = upper;
  } else if (!threadBusy_) {
    url_ = upper;
    threadBusy_ = true;
    TDownLoadThread::Start(*this);
  }
}

void THTMLPicture::LoadFromResourceName(const std::string& name) {
  if (std::optional<PictureBytes> bytes = decoder().ReadResource(name)) Load(std::move(*bytes));
}

void THTMLPicture::Assign(const THTMLPicture* other) {
  frame_ = 1;
  CopyFrom(other);
}

void THTMLPicture::Draw(DrawingSurface& surface, const Rect& rect) const {
  if (Empty() || !Decoded()) return;
  if (stretch_) {
    surface.DrawPicture(*Decoded(), rect);
    return;
  }
  const NativeSize size = Decoded()->Size();
  surface.DrawPicture(*Decoded(), {rect.left, rect.top,
                                   rect.left + MulDiv(size.width, surface.PixelsPerInchX(), 2540),
                                   rect.top + MulDiv(size.height, surface.PixelsPerInchY(), 2540)});
}

}  // namespace quillmere::richtext
