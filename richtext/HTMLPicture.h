#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "richtext/EncodedPicture.h"
#include "richtext/Geometry.h"

namespace quillmere::richtext {

class DrawingSurface;

// A picture an IMG tag or a BODY background shows: loaded from a file, a stream,
// a resource or a form, or by the source text of the markup; a GIF shows the
// frame `Frame` selects.
class THTMLPicture : public EncodedPicture {
 public:
  explicit THTMLPicture(const PictureDecoder& decoder) : EncodedPicture(decoder) {}

  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch) { stretch_ = stretch; }

  // The GIF frame shown, counted from 1; setting it decodes again and raises
  // OnFrameChange when there is data.
  int Frame() const { return frame_; }
  void SetFrame(int frame);
  // The frames of a GIF (0 when it has no graphic control blocks); -1, counted
  // anew each time, when the data is no GIF.
  int GifFrameTotal();
  int FrameOffsetX() const { return frameOffsetX_; }
  int FrameOffsetY() const { return frameOffsetY_; }
  // The GIF's logical screen, else Width and Height.
  int FullWidth() const { return screenWidth_ != 0 ? screenWidth_ : Width(); }
  int FullHeight() const { return screenHeight_ != 0 ? screenHeight_ : Height(); }

  // The upper-cased source text LoadSource loaded from; the cache finds it by this.
  const std::string& Identifier() const { return identifier_; }
  // The remote source remembered for a download.
  const std::string& URL() const { return url_; }
  bool AsyncLoad() const { return asyncLoad_; }
  void SetAsyncLoad(bool asyncLoad) { asyncLoad_ = asyncLoad; }
  bool ThreadBusy() const { return threadBusy_; }

  // "RES://name" loads the program's raw-data resource of that name, "FILE://path"
  // that file; any other source is remote and is not fetched by this program.
  void LoadSource(std::string_view source);
  // The program's raw-data resource of that name, as from a stream; nothing when
  // there is none.
  void LoadFromResourceName(const std::string& name);
  // Copies the other picture's bytes and shows its first frame; nothing (or an
  // empty picture) leaves this one empty.
  void Assign(const THTMLPicture* other);

  // Nothing when empty. With Stretch the picture fills `rect`; without it, it is
  // drawn at its natural size for the surface at the rectangle's top-left.
  void Draw(DrawingSurface& surface, const Rect& rect) const;

  std::function<void(THTMLPicture& sender)> OnFrameChange;
  // A remote download would report through these; this program starts none that
  // does any work, so they are never raised.
  std::function<void(THTMLPicture& sender, const std::string& err)> OnDownLoadError;
  std::function<void(THTMLPicture& sender)> OnDownLoadComplete;
  std::function<void(THTMLPicture& sender, bool& cancel)> OnDownLoadCancel;
  std::function<void(THTMLPicture& sender, std::uint32_t dwSize, std::uint32_t dwTotSize)>
      OnDownLoadProgress;

 protected:
  PictureBytes BytesToDecode() override;
  void DataReplaced() override { frameTotal_ = -1; }

 private:
  bool stretch_ = false;
  int frame_ = 1;
  int frameTotal_ = -1;
  int frameOffsetX_ = 0;
  int frameOffsetY_ = 0;
  int screenWidth_ = 0;
  int screenHeight_ = 0;
  std::string identifier_;
  std::string url_;
  bool asyncLoad_ = true;
  bool threadBusy_ = false;
};

}  // namespace quillmere::richtext
