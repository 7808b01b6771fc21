#include "tests/fakes/FakeSurface.h"

#include <algorithm>

#include "platform/Utf8.h"

namespace quillmere::testing {
namespace {

int FontSize(int size) { return size <= 0 ? 8 : std::clamp(size, 3, 200); }
int CharWidth(int size) { return FontSize(size) - 2; }
int CellHeight(int size) { return 2 * FontSize(size) - 4; }

// Prefixes processed: "&&" shows one '&', a single '&' underlines the character
// that follows, however many bytes it takes.
std::pair<std::string, int> WithPrefixes(std::string_view text) {
  std::string shown;
  int underlined = -1;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '&') {
      if (++i == text.size()) break;
      if (text[i] != '&') underlined = static_cast<int>(shown.size());
    }
    const std::size_t length = DecodeUtf8(text, i, true).length;
    shown.append(text.substr(i, length));
    i += length;
  }
  return {shown, underlined};
}

}  // namespace

FakeSurface::FakeSurface() : font_{"MS Sans Serif", 8} {
  smallIcons = AddImageList(1000, {16, 16});
  largeIcons = AddImageList(1000, {32, 32});
}

ImageListId FakeSurface::AddImageList(int count, Size imageSize) {
  imageLists_.emplace_back(count, imageSize);
  return ImageListId{imageLists_.size()};
}

void FakeSurface::RestoreFont() {
  if (!rotations.empty()) rotations.pop_back();
}

int FakeSurface::TextHeight(std::string_view) const { return CellHeight(font_.size); }

int FakeSurface::TextWidth(std::string_view text) const {
  return static_cast<int>(CharacterCount(text)) * CharWidth(font_.size);
}

FakeSurface::Shown FakeSurface::ShowRun(std::string_view text, const Rect& rect,
                                        bool endEllipsis) const {
  auto [shown, underlined] = WithPrefixes(text);
  const int room = std::max(0, rect.right - rect.left);
  if (endEllipsis && TextWidth(shown) > room) {
    // As many characters as leave room for the three dots after them.
    const int keep = std::max(0, room / CharWidth(font_.size) - 3);
    shown = std::string(FirstCharacters(shown, static_cast<std::size_t>(keep))) + "...";
    if (underlined >= static_cast<int>(shown.size()) - 3) underlined = -1;
  }
  return {shown, underlined, TextWidth(shown)};
}

void FakeSurface::DrawRun(std::string_view text, const Rect& rect, bool endEllipsis) {
  Shown shown = ShowRun(text, rect, endEllipsis);
  runs.push_back({std::move(shown.text), shown.underlined, rect, endEllipsis, font_, background_,
                  rotations.empty() ? 0 : rotations.back()});
}

Rect FakeSurface::MeasureRun(std::string_view text, const Rect& rect, bool endEllipsis) const {
  return {rect.left, rect.top, rect.left + ShowRun(text, rect, endEllipsis).width,
          rect.top + CellHeight(font_.size)};
}

int FakeSurface::ImageCount(ImageListId list) const {
  return list.value - 1 < imageLists_.size() ? imageLists_[list.value - 1].first : 0;
}

Size FakeSurface::ImageSize(ImageListId list) const {
  return list.value - 1 < imageLists_.size() ? imageLists_[list.value - 1].second : Size{};
}

void FakeSurface::DrawImage(ImageListId list, int index, int x, int y, bool transparent) {
  const Size size = ImageSize(list);
  images.push_back({list, index, {x, y, x + size.width, y + size.height}, transparent, false});
}

int FakeSurface::SystemIconIndex(std::string_view fileName, richtext::IconListSize) const {
  const auto found = iconIndexes.find(std::string(fileName));
  return found == iconIndexes.end() ? 0 : found->second;
}

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

bool FakeSurface::NothingDrawn() const {
  return runs.empty() && fills.empty() && lines.empty() && focusRects.empty() && images.empty() &&
         pictures.empty();
}

void FakeSurface::ClearRecords() {
  runs.clear();
  fills.clear();
  lines.clear();
  focusRects.clear();
  images.clear();
  pictures.clear();
  clips.clear();
}

}  // namespace quillmere::testing
