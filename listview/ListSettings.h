#pragma once

#include <string>

#include "common/Color.h"

namespace quillmere {

// Settings the list view carries for features this program leaves off: a detail
// line under each row, saving column widths, printing and export. They are held at
// their defaults and change nothing on the screen.

// A face by name and cell height in pixels (negative: character height).
struct TFontSpec {
  std::string Name = "MS Sans Serif";
  int Height = -11;
};

// The detail line at the bottom of each row.
struct TDetails {
  bool Visible = false;
  int Height = 16;
  int Column = 0;
  int Indent = 0;
  bool SplitLine = false;
  TColor FontColor = clBlue;
};

enum TStorage { stInifile, stRegistry };

// Where column widths would be saved.
struct TColumnSize {
  bool Save = false;
  std::string Key;
  std::string Section;
  bool Stretch = false;
  TStorage Storage = stInifile;
};

// The layout of a printed list.
struct TPrintSettings {
  std::string Title;
  std::string PageNumSep = "/";
  std::string DateFormat = "dd/mm/yyyy";
  TFontSpec Font;
  TFontSpec HeaderFont;
  TFontSpec FooterFont;
};

// The layout of a list exported as an HTML table.
struct THTMLSettings {
  bool SaveColor = true;
  bool SaveFonts = true;
  int BorderSize = 1;
  int CellSpacing = 0;
  int Width = 100;
};

}  // namespace quillmere
