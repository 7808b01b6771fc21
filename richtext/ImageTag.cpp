// IMG: image-list images, system icons and pictures, placed on the line.

#include <algorithm>
#include <cstdint>

#include "richtext/Arithmetic.h"
#include "richtext/Markup.h"
#include "richtext/PictureContainer.h"
#include "richtext/RenderState.h"

namespace quillmere::richtext {
namespace {

// What an IMG source names, with its size on the line.
struct LineImage {
  enum class Kind { kNone, kListImage, kSystemIcon, kPicture } kind = Kind::kNone;
  ImageListId list;
  int index = 0;
  Size natural;  // pixels of the image list's images
  THTMLPicture* picture = nullptr;
  Size size;  // on the line
};

Size AtSurfaceResolution(const DrawingSurface& canvas, Size size) {
  return {MulDiv(size.width, canvas.PixelsPerInchX(), 96),
          MulDiv(size.height, canvas.PixelsPerInchY(), 96)};
}

LineImage FromList(const DrawingSurface& canvas, ImageListId list, int index,
                   LineImage::Kind kind) {
  LineImage image;
  image.kind = kind;
  image.list = list;
  image.index = index;
  image.natural = canvas.ImageSize(list);
  image.size = AtSurfaceResolution(canvas, image.natural);
  return image;
}

LineImage ResolveImage(const RenderArgs& args, const DrawingSurface& canvas,
                       std::string_view source, int width, int height) {
  if (const std::size_t at = source.find("IDX:"); at != std::string_view::npos) {
    const int index = ReadNumber(source.substr(at + 4));
    if (!args.images || index < 0 || index >= canvas.ImageCount(args.images)) return {};
    return FromList(canvas, args.images, index, LineImage::Kind::kListImage);
  }
  std::size_t at = source.find("SSYS:");
  const IconListSize listSize =
      at != std::string_view::npos ? IconListSize::kSmall : IconListSize::kLarge;
  if (at == std::string_view::npos) at = source.find("LSYS:");
  if (at != std::string_view::npos) {
    const std::string_view name = source.substr(at + 5);
    const std::optional<int> number = ReadWholeNumber(name);
    const int index = number ? *number : canvas.SystemIconIndex(name, listSize);
    return FromList(canvas, canvas.SystemIcons(listSize), index, LineImage::Kind::kSystemIcon);
  }
  THTMLPicture* picture = ResolvePicture(source, args.pictureContainer, args.pictureCache);
  if (!picture || picture->Empty()) return {};
  LineImage image;
  image.kind = LineImage::Kind::kPicture;
  image.picture = picture;
  image.size = width > 0 && height > 0 ? Size{width, height}
                                       : Size{picture->FullWidth(), picture->FullHeight()};
  image.size = AtSurfaceResolution(canvas, image.size);
  return image;
}

}  // namespace

void LinePass::Image(std::string_view tag) {
  const int number = flow_.imageCounter + 1;
  const std::string upper = UpperCase(tag);
  const bool swapped = upper.find("ALT") != std::string::npos && number == call_.hitImage;
  const std::string_view source = AttributeValue(upper, swapped ? "ALT" : "SRC");
  const int width = ReadNumber(AttributeValue(upper, "WIDTH"));
  const int height = ReadNumber(AttributeValue(upper, "HEIGHT"));
  const LineImage image = ResolveImage(args_, canvas_, source, width, height);
  const Size size = image.size;

  if (pass_ == Pass::kMeasure && m_.width + size.width > Avail() && Avail() > size.width) {
    lineFull_ = true;  // the image starts the next line
    return;
  }
  flow_.imageCounter = number;

  if (Drawing()) {
    const int top = rect_.top;
    switch (image.kind) {
      case LineImage::Kind::kListImage:
      case LineImage::Kind::kSystemIcon:
        if (args_.printMode) {
          canvas_.StretchImage(
              image.list, image.index,
              {penX_, top, penX_ + RoundHalfEven(image.natural.width * args_.scale),
               top + RoundHalfEven(image.natural.height * args_.scale)});
        } else {
          canvas_.DrawImage(image.list, image.index, penX_, top,
                            image.kind == LineImage::Kind::kSystemIcon);
        }
        break;
      case LineImage::Kind::kPicture:
        if (width > 0 && height > 0) {
          image.picture->Draw(canvas_, {penX_, top, penX_ + width, top + height});
        } else {
          THTMLPicture& picture = *image.picture;
          if (picture.GifFrameTotal() > 1 && call_.callerBackground != clNone) {
            canvas_.FillRect({penX_, top, penX_ + picture.FullWidth(), top + picture.FullHeight()},
                             call_.callerBackground);
          }
          const int x = penX_ + picture.FrameOffsetX();
          const int y = top + picture.FrameOffsetY();
          picture.Draw(canvas_, {x, y, x + picture.Width(), y + picture.Height()});
        }
        break;
      case LineImage::Kind::kNone:
        break;
    }
  }

  if (flow_.insideLink) {
    const std::int64_t x = static_cast<std::int64_t>(args_.xPos) - rect_.left;
    if (m_.width < x && x < static_cast<std::int64_t>(m_.width) + size.width &&
        rect_.top < args_.yPos && args_.yPos < static_cast<std::int64_t>(rect_.top) + size.height) {
      imageHit_ = true;
      call_.out.anchor = flow_.linkValue;
      call_.hitImage = number;
    }
  }

  m_.width += size.width;
  penX_ += size.width;
  m_.height = std::max(m_.height, size.height);

  if (upper.find("ALIGN") != std::string::npos) {
    if (upper.find("\"TOP") != std::string::npos) {
      m_.lift = m_.height - GhHeight();
    } else if (upper.find("\"MIDDLE") != std::string::npos) {
      m_.lift = (m_.height - GhHeight()) / 2;
    }
  }
}

}  // namespace quillmere::richtext
