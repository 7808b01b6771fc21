#pragma once

#include "richtext/EncodedPicture.h"
#include "richtext/Geometry.h"

namespace quillmere::richtext {

class DrawingSurface;

// A plain picture, such as a panel's background: no frames, no stretch flag, no
// loading by source text.
class TAdvImage : public EncodedPicture {
 public:
  explicit TAdvImage(const PictureDecoder& decoder) : EncodedPicture(decoder) {}

  // Copies the other image's bytes; nothing (or an empty image) empties this one.
  void Assign(const TAdvImage* other);
  // The whole picture into `rect`; nothing when empty.
  void Draw(DrawingSurface& surface, const Rect& rect) const;
};

}  // namespace quillmere::richtext
