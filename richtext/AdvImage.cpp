#include "richtext/AdvImage.h"

#include "richtext/Surface.h"

namespace quillmere::richtext {

void TAdvImage::Assign(const TAdvImage* other) { CopyFrom(other); }

void TAdvImage::Draw(DrawingSurface& surface, const Rect& rect) const {
  if (!Empty() && Decoded()) surface.DrawPicture(*Decoded(), rect);
}

}  // namespace quillmere::richtext
