#include "richtext/gui/GdiRun.h"

#include <algorithm>
#include <numeric>

#include "platform/win32/WideText.h"

namespace quillmere::richtext {
namespace {

// Tabs stop every eight average characters from the run's start, as DrawText's.
constexpr int kTabStop = 8;
constexpr std::wstring_view kEllipsis = L"...";

// "&&" shows one '&'; a single '&' is not shown and underlines what follows it (the
// last one wins); a lone '&' at the end shows nothing.
void ProcessPrefixes(std::wstring_view text, GdiRun& run) {
  run.shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      run.shown += text[i];
    } else if (i + 1 < text.size()) {
      if (text[i + 1] != '&') run.underlined = static_cast<int>(run.shown.size());
      run.shown += text[++i];
    }
  }
}

std::vector<INT> Advances(HDC dc, std::wstring_view text) {
  std::vector<INT> ends(text.size());
  if (text.empty()) return ends;
  SIZE size{};
  GetTextExtentExPointW(dc, text.data(), static_cast<int>(text.size()), 0, nullptr, ends.data(),
                        &size);
  for (std::size_t i = ends.size() - 1; i > 0; --i) ends[i] -= ends[i - 1];
  return ends;
}

void ExpandTabs(HDC dc, GdiRun& run) {
  if (run.shown.find(L'\t') == std::wstring::npos) return;
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int stop = kTabStop * std::max<int>(metrics.tmAveCharWidth, 1);
  int x = 0;
  for (std::size_t i = 0; i < run.shown.size(); ++i) {
    if (run.shown[i] == L'\t') run.advances[i] = (x / stop + 1) * stop - x;
    x += run.advances[i];
  }
}

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// As many characters as leave room for the three dots after them; a character
// beyond the Basic Multilingual Plane (two UTF-16 units) stays whole or goes.
void CutWithEllipsis(HDC dc, int room, GdiRun& run) {
  const std::vector<INT> dots = Advances(dc, kEllipsis);
  const int dotsWidth = std::accumulate(dots.begin(), dots.end(), 0);
  std::size_t keep = 0;
  int kept = 0;
  while (keep < run.advances.size()) {
    const std::size_t units =
        IsHighSurrogate(run.shown[keep]) && keep + 1 < run.advances.size() ? 2 : 1;
    const int width =
        std::accumulate(run.advances.begin() + static_cast<std::ptrdiff_t>(keep),
                        run.advances.begin() + static_cast<std::ptrdiff_t>(keep + units), 0);
    if (kept + width + dotsWidth > room) break;
    kept += width;
    keep += units;
  }
  run.shown.resize(keep);
  run.advances.resize(keep);
  run.shown += kEllipsis;
  run.advances.insert(run.advances.end(), dots.begin(), dots.end());
  if (run.underlined >= static_cast<int>(keep)) run.underlined = -1;
  run.width = kept + dotsWidth;
}

}  // namespace

GdiRun GdiRun::LayOut(HDC dc, std::string_view text, int room, bool endEllipsis) {
  GdiRun run;
  ProcessPrefixes(win32::Widen(text), run);
  run.advances = Advances(dc, run.shown);
  ExpandTabs(dc, run);
  run.width = std::accumulate(run.advances.begin(), run.advances.end(), 0);
  if (endEllipsis && run.width > room) CutWithEllipsis(dc, room, run);
  return run;
}

void GdiRun::Draw(HDC dc, int x, int y, const RECT& clip) const {
  if (shown.empty()) return;
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, shown.data(), static_cast<UINT>(shown.size()),
              advances.data());
  if (underlined < 0) return;
  // The prefix's line, in the text's colour one pixel under the baseline, as
  // DrawText draws it.
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int from = x + std::accumulate(advances.begin(), advances.begin() + underlined, 0);
  RECT line{from, y + metrics.tmAscent + 1,
            from + advances[static_cast<std::size_t>(underlined)] - 1, y + metrics.tmAscent + 2};
  IntersectRect(&line, &line, &clip);
  SetDCBrushColor(dc, GetTextColor(dc));
  FillRect(dc, &line, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

}  // namespace quillmere::richtext
