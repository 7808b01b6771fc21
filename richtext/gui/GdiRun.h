#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace quillmere::richtext {

// One line of text as a GDI surface shows it: what DrawTextEx shows with
// DT_SINGLELINE | DT_EXPANDTABS and, where asked, DT_END_ELLIPSIS — mnemonic
// prefixes processed, tabs expanded, cut with "..." — with the advance of every
// character in whole pixels. The run is drawn at exactly these advances, so it
// covers exactly the width measured for it. (DrawTextEx itself places glyphs at
// fractional positions under Wine while it measures in whole pixels, so a word
// drawn after another at its measured width could touch it or stand off.)
//
// The run is laid out in UTF-16 with the wide calls: GDI's ANSI calls convert in
// the system's code page even where the manifest makes UTF-8 the program's, and
// their advances count bytes, not characters.
struct GdiRun {
  std::wstring shown;
  std::vector<INT> advances;  // one a UTF-16 unit of `shown`
  int width = 0;
  int underlined = -1;  // index in `shown` of the character a prefix underlines

  // `text` (UTF-8) in the font `dc` holds, cut at `room` pixels when `endEllipsis`,
  // never inside a character.
  static GdiRun LayOut(HDC dc, std::string_view text, int room, bool endEllipsis);
  // Draws the run with its cell's top-left at (x, y), clipped to `clip`, in the
  // device context's colours and background mode.
  void Draw(HDC dc, int x, int y, const RECT& clip) const;
};

}  // namespace quillmere::richtext
