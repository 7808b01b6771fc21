#include "tests/fakes/FakeSurface.h"

#include <algorithm>

namespace quillmere::testing {
namespace {

int FontSize(int size) { return size <= 0 ? 8 : std::clamp(size, 3, 200); }
int CharWidth(int size) { return FontSize(size) - 2; }
int CellHeight(int size) { return 2 * FontSize(size) - 4; }

// Prefixes processed: "&&" shows one '&', a single '&' underlines what follows.
std::pair<std::string, int> WithPrefixes(std::string_view text) {
  std::string shown;
  int underlined = -1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      shown += text[i];
    } else if (i + 1 < text.size()) {
      if (text[i + 1] != '&') underlined = static_cast<int>(shown.size());
      shown += text[++i];
    }
  }
  return {shown, underlined};
}

}  // namespace

FakeSurface::FakeSurface() {
  font_.name = "MS Sans Serif";
  font_.size = 8;
  smallIcons = AddImageList(1000, {16, 16});
  largeIcons = AddImageList(1000, {32, 32});
}

ImageListId FakeSurface::AddImageList(int count, Size imageSize) {
  const ImageListId id{imageLists_.size() + 1};
  imageLists_[id.value] = {count, imageSize};
  return id;
}

void FakeSurface::SelectRotatedFont(int tenthsOfDegree) { rotations.push_back(tenthsOfDegree); }

void FakeSurface::RestoreFont() {
  if (!rotations.empty()) rotations.pop_back();
}

int FakeSurface::TextHeight(std::string_view) const { return CellHeight(font_.size); }

int FakeSurface::TextWidth(std::string_view text) const {
  return static_cast<int>(text.size()) * CharWidth(font_.size);
}

// Tabs advance to the next stop of 8 characters.
int FakeSurface::Advance(std::string_view shown) const {
  const int cell = CharWidth(font_.size);
  int width = 0;
  for (const char c : shown) width = c == '\t' ? (width / (8 * cell) + 1) * 8 * cell : width + cell;
  return width;
}

FakeSurface::Shown FakeSurface::ShowRun(std::string_view text, const Rect& rect,
                                        bool endEllipsis) const {
  auto [shown, underlined] = WithPrefixes(text);
  int width = Advance(shown);
  const int room = std::max(0, rect.right - rect.left);
  if (endEllipsis && width > room) {
    // As many characters as leave room for the three dots after them.
    const int dots = 3 * CharWidth(font_.size);
    std::size_t keep = 0;
    for (std::size_t n = 1; n <= shown.size(); ++n) {
      if (Advance(std::string_view(shown).substr(0, n)) + dots > room) break;
      keep = n;
    }
    shown = shown.substr(0, keep) + "...";
    if (underlined >= static_cast<int>(keep)) underlined = -1;
    width = Advance(shown);
  }
  return {shown, underlined, width};
}

void FakeSurface::DrawRun(std::string_view text, const Rect& rect, bool endEllipsis) {
  ++drawCalls;
  Shown shown = ShowRun(text, rect, endEllipsis);
  runs.push_back({std::move(shown.text), shown.underlined, rect, endEllipsis, font_, background_,
                  rotations.empty() ? 0 : rotations.back()});
}

Rect FakeSurface::MeasureRun(std::string_view text, const Rect& rect, bool endEllipsis) const {
  return {rect.left, rect.top, rect.left + ShowRun(text, rect, endEllipsis).width,
          rect.top + CellHeight(font_.size)};
}

void FakeSurface::FillRect(const Rect& rect, TColor color) {
  ++drawCalls;
  fills.push_back({rect, color});
}

void FakeSurface::Line(int x1, int y1, int x2, int y2, TColor color) {
  ++drawCalls;
  lines.push_back({x1, y1, x2, y2, color});
}

void FakeSurface::FocusRect(const Rect& rect) {
  ++drawCalls;
  focusRects.push_back(rect);
}

int FakeSurface::ImageCount(ImageListId list) const {
  const auto found = imageLists_.find(list.value);
  return found == imageLists_.end() ? 0 : found->second.first;
}

Size FakeSurface::ImageSize(ImageListId list) const {
  const auto found = imageLists_.find(list.value);
  return found == imageLists_.end() ? Size{} : found->second.second;
}

void FakeSurface::DrawImage(ImageListId list, int index, int x, int y, bool transparent) {
  ++drawCalls;
  const Size size = ImageSize(list);
  images.push_back({list, index, {x, y, x + size.width, y + size.height}, transparent, false});
}

void FakeSurface::StretchImage(ImageListId list, int index, const Rect& rect) {
  ++drawCalls;
  images.push_back({list, index, rect, false, true});
}

void FakeSurface::DrawPicture(const DecodedPicture&, const Rect& rect) {
  ++drawCalls;
  pictures.push_back(rect);
}

ImageListId FakeSurface::SystemIcons(richtext::IconListSize size) const {
  return size == richtext::IconListSize::kSmall ? smallIcons : largeIcons;
}

int FakeSurface::SystemIconIndex(std::string_view fileName, richtext::IconListSize) const {
  const auto found = iconIndexes.find(std::string(fileName));
  return found == iconIndexes.end() ? 0 : found->second;
}

void FakeSurface::ClipTo(const Rect& rect) { clips.emplace_back(rect); }

void FakeSurface::RemoveClip() { clips.emplace_back(std::nullopt); }

std::vector<std::string> FakeSurface::ShownTexts() const {
  std::vector<std::string> texts;
  for (const Run& run : runs) texts.push_back(run.shown);
  return texts;
}

std::vector<int> FakeSurface::RunEdges(int Rect::*edge) const {
  std::vector<int> edges;
  for (const Run& run : runs) edges.push_back(run.rect.*edge);
  return edges;
}

void FakeSurface::ClearRecords() {
  runs.clear();
  fills.clear();
  lines.clear();
  focusRects.clear();
  images.clear();
  pictures.clear();
  clips.clear();
  drawCalls = 0;
}

}  // namespace quillmere::testing
