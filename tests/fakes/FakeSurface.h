#pragma once

#include <map>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "richtext/Surface.h"

namespace quillmere::richtext {
// Rectangles in failure messages as the four edges.
inline void PrintTo(const Rect& r, std::ostream* out) {
  *out << '{' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << '}';
}
}  // namespace quillmere::richtext

namespace quillmere::testing {

using richtext::FontState;
using richtext::ImageListId;
using richtext::Rect;
using richtext::Size;

// A drawing surface with fixed metrics that records what is drawn. In a font of n
// points (held to 3..200, 0 or less meaning 8), every character (not byte: a
// UTF-8 character of four bytes is as wide as "a") is n - 2 pixels wide and every text 2n - 4
// pixels high: an 8-point text is 6 pixels a character and 12 high, a 12-point one 10 and 20. The
// run drawing processes '&' prefixes and cuts with "..." as the platform's does, and measures what
// it would show.
class FakeSurface final : public richtext::DrawingSurface {
 public:
  struct Run {
    std::string shown;    // prefixes processed, cut with "..." where it did not fit
    int underlined = -1;  // byte index in `shown` of the character a prefix underlines
    Rect rect;
    bool endEllipsis = false;
    FontState font;
    TColor background = richtext::clNone;
    int rotation = 0;  // tenths of a degree, of the innermost rotation
  };
  struct Fill {
    Rect rect;
    TColor color;
    friend bool operator==(const Fill&, const Fill&) = default;
  };
  struct Stroke {
    int x1, y1, x2, y2;
    TColor color;
    friend bool operator==(const Stroke&, const Stroke&) = default;
  };
  struct Image {
    ImageListId list;
    int index;
    Rect rect;  // natural size unless stretched
    bool transparent;
    bool stretched;
    friend bool operator==(const Image&, const Image&) = default;
  };

  FakeSurface();

  // A new image list of `count` images of one size.
  ImageListId AddImageList(int count, Size imageSize);
  ImageListId smallIcons;                  // 16 x 16, a thousand icons
  ImageListId largeIcons;                  // 32 x 32, a thousand icons
  std::map<std::string, int> iconIndexes;  // by file name; others give 0

  FontState Font() const override { return font_; }
  void SetFont(const FontState& font) override { font_ = font; }
  TColor Background() const override { return background_; }
  void SetBackground(TColor color) override { background_ = color; }
  void SelectRotatedFont(int tenthsOfDegree) override { rotations.push_back(tenthsOfDegree); }
  void RestoreFont() override;

  int TextHeight(std::string_view text) const override;
  int TextWidth(std::string_view text) const override;
  void DrawRun(std::string_view text, const Rect& rect, bool endEllipsis) override;
  Rect MeasureRun(std::string_view text, const Rect& rect, bool endEllipsis) const override;

  void FillRect(const Rect& rect, TColor color) override { fills.push_back({rect, color}); }
  void Line(int x1, int y1, int x2, int y2, TColor color) override {
    lines.push_back({x1, y1, x2, y2, color});
  }
  void FocusRect(const Rect& rect) override { focusRects.push_back(rect); }

  int ImageCount(ImageListId images) const override;
  Size ImageSize(ImageListId images) const override;
  void DrawImage(ImageListId images, int index, int x, int y, bool transparent) override;
  void StretchImage(ImageListId list, int index, const Rect& rect) override {
    images.push_back({list, index, rect, false, true});
  }
  void DrawPicture(const DecodedPicture&, const Rect& rect) override { pictures.push_back(rect); }
  ImageListId SystemIcons(richtext::IconListSize size) const override {
    return size == richtext::IconListSize::kSmall ? smallIcons : largeIcons;
  }
  int SystemIconIndex(std::string_view fileName, richtext::IconListSize size) const override;

  void ClipTo(const Rect& rect) override { clips.emplace_back(rect); }
  void RemoveClip() override { clips.emplace_back(std::nullopt); }
  int PixelsPerInchX() const override { return ppiX; }
  int PixelsPerInchY() const override { return ppiY; }

  // The runs drawn, in order: their texts as shown, or one edge of each.
  std::vector<std::string> ShownTexts() const;
  std::vector<int> RunEdges(int Rect::*edge) const;
  bool NothingDrawn() const;
  void ClearRecords();

  int ppiX = 96;
  int ppiY = 96;
  std::vector<Run> runs;
  std::vector<Fill> fills;
  std::vector<Stroke> lines;
  std::vector<Rect> focusRects;
  std::vector<Image> images;
  std::vector<Rect> pictures;              // where each picture was drawn
  std::vector<std::optional<Rect>> clips;  // nullopt: clip removed
  std::vector<int> rotations;              // selected, innermost last

 private:
  struct Shown {
    std::string text;
    int underlined = -1;
    int width = 0;
  };
  Shown ShowRun(std::string_view text, const Rect& rect, bool endEllipsis) const;
  std::vector<std::pair<int, Size>> imageLists_;  // count and size, by id - 1
  FontState font_;
  TColor background_ = richtext::clNone;
};

}  // namespace quillmere::testing
