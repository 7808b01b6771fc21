#include "richtext/gui/GdiFonts.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/WideText.h"

namespace quillmere::richtext {
namespace {

// Markup may ask for any size; a glyph larger than this is of no use in a help
// page or a list cell, and rasterising a huge one would stall the paint.
constexpr int kLargestPoints = 1000;

// Wide, as all of GDI's text: a face name of 31 characters can take 93 bytes in
// UTF-8, and LOGFONTA holds 32.
LOGFONTW LogFontFor(const FontState& font, int rotation, int pixelsPerInch) {
  LOGFONTW lf{};
  const int points = std::clamp(font.size, -kLargestPoints, kLargestPoints);
  lf.lfHeight = -MulDiv(points, pixelsPerInch, 72);
  lf.lfEscapement = rotation;
  lf.lfOrientation = rotation;
  lf.lfWeight = (font.style & kBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (font.style & kItalic) ? TRUE : FALSE;
  lf.lfUnderline = (font.style & kUnderline) ? TRUE : FALSE;
  lf.lfStrikeOut = (font.style & kStrikeOut) ? TRUE : FALSE;
  // The list bullets are characters of the Symbol face, which only its own
  // character set reaches.
  lf.lfCharSet = EqualsAsciiNoCase(font.name, "Symbol") ? SYMBOL_CHARSET : DEFAULT_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(lf.lfFaceName, win32::Widen(font.name).c_str(), LF_FACESIZE);
  return lf;
}

}  // namespace

GdiFonts::Made GdiFonts::Get(HDC dc, const FontState& font, int rotation) {
  const int pixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
  Key key{font.name, font.size, font.style, rotation, pixelsPerInch};
  if (const auto found = fonts_.find(key); found != fonts_.end()) return found->second.made;

  const LOGFONTW lf = LogFontFor(font, rotation, pixelsPerInch);
  win32::UniqueFont made(CreateFontIndirectW(&lf));
  if (!made) throw std::runtime_error("Cannot create the font " + font.name);
  TEXTMETRICA metrics{};
  {
    const win32::SelectObjectScope selected(dc, made.get());
    GetTextMetricsA(dc, &metrics);
  }
  Entry entry{std::move(made), {}};
  entry.made = Made{entry.font.get(), static_cast<int>(metrics.tmHeight),
                    static_cast<int>(metrics.tmExternalLeading)};
  return fonts_.emplace(std::move(key), std::move(entry)).first->second.made;
}

}  // namespace quillmere::richtext
