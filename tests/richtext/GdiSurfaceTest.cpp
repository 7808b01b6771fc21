// The mini-HTML engine's drawing surface over GDI: runs take the width they are
// drawn in, fonts reach the faces the markup names, and the surface leaves the
// device context as it found it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/gui/GdiFonts.h"
#include "richtext/gui/GdiSurface.h"
#include "tests/support/Picture.h"

namespace quillmere {
namespace {

using richtext::FontState;
using richtext::GdiSurface;
using richtext::Rect;
using testing::Picture;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

FontState Face(const char* name, int size, std::uint8_t style = 0) {
  return FontState{name, size, clBlack, style};
}

class GdiSurfaceTest : public ::testing::Test {
 protected:
  GdiSurface On(const Picture& target, const FontState& font = Face("MS Sans Serif", 8)) {
    return GdiSurface(target.dc(), fonts, font, richtext::clNone);
  }

  Picture picture{480, 80, kWhite};
  richtext::GdiFonts fonts;
};

// Runs drawn one after another at the widths measured for them show exactly what
// the whole text drawn at once shows, in every face the help text and the list
// cells use; "&&" shows one '&' and takes its width, a single '&' none.
TEST_F(GdiSurfaceTest, RunsDrawnAtTheirMeasuredWidthsJoinAsTheWholeTextDoes) {
  const FontState faces[] = {Face("MS Sans Serif", 8), Face("MS Sans Serif", 18),
                             Face("MS Sans Serif", 8, richtext::kBold),
                             Face("Arial", 12, richtext::kUnderline), Face("Tahoma", 10)};
  const std::vector<std::string> texts[] = {
      {"Quill", "mere ", "Help"},
      {"Cookies, ", "so ", "you ", "can"},
      {"A&&B", " &x", "yz"},
      // "Привет, Zoë": letters of two bytes in UTF-8, each one character wide.
      {"\xD0\x9F\xD1\x80\xD0\xB8", "\xD0\xB2\xD0\xB5\xD1\x82, ", "Zo\xC3\xAB"}};
  for (const FontState& face : faces) {
    for (const std::vector<std::string>& runs : texts) {
      std::string whole;
      for (const std::string& run : runs) whole += run;
      Picture once(480, 80, kWhite);
      On(once, face).DrawRun(whole, {10, 10, 470, 60}, false);
      Picture pieces(480, 80, kWhite);
      GdiSurface surface = On(pieces, face);
      int pen = 10;
      for (const std::string& run : runs) {
        surface.DrawRun(run, {pen, 10, 470, 60}, false);
        const Rect measured = surface.MeasureRun(run, {pen, 10, 470, 60}, false);
        EXPECT_EQ(measured.left, pen);
        EXPECT_EQ(measured.top, 10);
        pen = measured.right;
      }
      EXPECT_TRUE(pieces.SameAs(once)) << face.name << " " << face.size << ": " << whole;
      EXPECT_EQ(pen, surface.MeasureRun(whole, {10, 10, 470, 60}, false).right);
    }
    GdiSurface surface = On(picture, face);
    EXPECT_EQ(surface.MeasureRun("A&&B", {0, 0, 400, 50}, false).right, surface.TextWidth("A&B"));
    EXPECT_EQ(surface.MeasureRun("&File", {0, 0, 400, 50}, false).right, surface.TextWidth("File"));
  }
}

TEST_F(GdiSurfaceTest, ARunCutWithAnEllipsisIsMeasuredAsShownAndSitsOnTheBottom) {
  GdiSurface surface = On(picture);
  const std::string text = "Quillmere keeps your system clean";
  const Rect room{10, 10, 90, 40};
  const Rect measured = surface.MeasureRun(text, room, true);
  EXPECT_LE(measured.right, room.right);
  EXPECT_LT(measured.right - measured.left, surface.TextWidth(text));
  EXPECT_EQ(measured.bottom - measured.top, surface.TextHeight("gh"));
  surface.DrawRun(text, room, true);
  const RECT ink = picture.Extent(picture.All(), kWhite, true);
  EXPECT_GE(ink.left, room.left);
  EXPECT_LE(ink.right, measured.right);
  EXPECT_LE(ink.bottom, room.bottom);
  EXPECT_GT(ink.top, room.bottom - surface.TextHeight("gh") - 1) << "bottom-aligned";
  // The three dots stand on the baseline at the end of what is shown.
  EXPECT_GT(picture.Count({measured.right - 8, ink.top, measured.right, ink.bottom}, kBlack), 0);

  // Cut between whole characters, never between the bytes of one: what is shown is
  // as wide as some number of whole letters and the dots.
  std::string cyrillic;
  for (int i = 0; i < 30; ++i) cyrillic += "\xD0\x96";
  const int cut = surface.MeasureRun(cyrillic, room, true).right - room.left;
  bool wholeLetters = false;
  for (std::size_t letters = 0; letters < 30 && !wholeLetters; ++letters)
    wholeLetters = cut == surface.TextWidth(cyrillic.substr(0, 2 * letters) + "...");
  EXPECT_TRUE(wholeLetters) << cut;
  EXPECT_LE(cut, room.right - room.left);
}

// The list bullets need the Symbol face itself, which the sandbox installs.
TEST_F(GdiSurfaceTest, FontsReachTheirFacesTurnAndGoWithTheSurface) {
  const HGDIOBJ before = GetCurrentObject(picture.dc(), OBJ_FONT);
  {
    GdiSurface surface = On(picture);
    surface.SetFont(Face("Symbol", 8));
    LOGFONTA asked{};
    GetObjectA(GetCurrentObject(picture.dc(), OBJ_FONT), sizeof asked, &asked);
    EXPECT_EQ(asked.lfCharSet, SYMBOL_CHARSET);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(picture.dc(), LF_FACESIZE, face);
    EXPECT_STREQ(face, "Symbol");

    surface.SetFont(Face("MS Sans Serif", 18));
    surface.SelectRotatedFont(900);  // up the page
    surface.DrawRun("Quillmere", {100, 0, 400, 78}, false);
    const RECT turned = picture.Extent(picture.All(), kWhite, true);
    EXPECT_GT(turned.bottom - turned.top, 2 * (turned.right - turned.left));
    const int turnedWidth = surface.TextWidth("Quillmere");
    surface.RestoreFont();
    EXPECT_EQ(surface.TextWidth("Quillmere"), turnedWidth) << "measurements ignore the rotation";
    picture.Fill(kWhite);
    surface.DrawRun("Quillmere", {10, 0, 400, 78}, false);
    const RECT level = picture.Extent(picture.All(), kWhite, true);
    EXPECT_GT(level.right - level.left, 2 * (level.bottom - level.top));
  }
  EXPECT_EQ(GetCurrentObject(picture.dc(), OBJ_FONT), before);
}

// A surface's clip goes inside the caller's and gives it back whole; the dotted
// focus frame drawn twice leaves nothing behind.
TEST_F(GdiSurfaceTest, ClipsWithinTheCallersClipAndFramesFocusWithXor) {
  IntersectClipRect(picture.dc(), 0, 0, 200, 80);
  {
    GdiSurface surface = On(picture);
    surface.ClipTo({100, 10, 300, 30});
    surface.FillRect({0, 0, 480, 80}, clBlack);
    const RECT black = picture.Extent(picture.All(), kBlack);
    const RECT clipped{100, 10, 200, 30};
    EXPECT_TRUE(EqualRect(&black, &clipped))
        << black.left << "," << black.top << " " << black.right << "," << black.bottom;
    surface.RemoveClip();
    surface.FillRect({0, 40, 480, 80}, clBlack);
    const RECT rest = picture.Extent({0, 40, 480, 80}, kBlack);
    EXPECT_EQ(rest.left, 0);
    EXPECT_EQ(rest.right, 200) << "the caller's clip is back";

    Picture before(480, 80, kWhite);
    BitBlt(before.dc(), 0, 0, 480, 80, picture.dc(), 0, 0, SRCCOPY);
    surface.FocusRect({20, 45, 120, 60});
    EXPECT_FALSE(picture.SameAs(before));
    surface.FocusRect({20, 45, 120, 60});
    EXPECT_TRUE(picture.SameAs(before));
  }
  SelectClipRgn(picture.dc(), nullptr);
}

TEST_F(GdiSurfaceTest, SystemIconsComeByFileOrByTheNamesType) {
  GdiSurface surface = On(picture);
  using richtext::IconListSize;
  const richtext::ImageListId small = surface.SystemIcons(IconListSize::kSmall);
  ASSERT_TRUE(small);
  EXPECT_EQ(surface.ImageSize(small), (richtext::Size{16, 16}));
  EXPECT_EQ(surface.ImageSize(surface.SystemIcons(IconListSize::kLarge)), (richtext::Size{32, 32}));
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const int folder = surface.SystemIconIndex(windows, IconListSize::kSmall);
  const int missing =
      surface.SystemIconIndex("C:\\NO-SUCH-FOLDER\\NOTES.TXT", IconListSize::kSmall);
  EXPECT_GE(missing, 0);
  EXPECT_LT(missing, surface.ImageCount(small));
  EXPECT_NE(folder, missing) << "a folder's icon is not a text file's";
  surface.DrawImage(small, folder, 5, 5, true);
  EXPECT_GT(picture.Count({5, 5, 21, 21}, kWhite), 0) << "drawn transparently";
  EXPECT_LT(picture.Count({5, 5, 21, 21}, kWhite), 16 * 16);
}

}  // namespace
}  // namespace quillmere
