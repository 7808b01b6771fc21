// The system's picture loader behind the picture classes: real BMP, GIF and ICO
// files (among the test program's raw data) decoded, sized and drawn, files read,
// and the text of what it refuses.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/win32/Win32PictureDecoder.h"
#include "richtext/AdvImage.h"
#include "richtext/HTMLPicture.h"
#include "richtext/PictureError.h"
#include "richtext/gui/GdiFonts.h"
#include "richtext/gui/GdiSurface.h"
#include "tests/support/Picture.h"

namespace quillmere {
namespace {

using testing::Picture;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

class Win32PictureDecoderTest : public ::testing::Test {
 protected:
  PictureBytes Resource(const char* name) const {
    std::optional<PictureBytes> bytes = decoder.ReadResource(name);
    EXPECT_TRUE(bytes) << name;
    return bytes.value_or(PictureBytes{});
  }
  // The picture drawn at its natural size onto white.
  template <typename Graphic>
  Picture Drawn(const Graphic& graphic) {
    Picture picture(40, 40, kWhite);
    richtext::GdiSurface surface(picture.dc(), fonts, {}, richtext::clNone);
    graphic.Draw(surface, {0, 0, graphic.Width(), graphic.Height()});
    return picture;
  }

  win32::Win32PictureDecoder decoder;
  richtext::GdiFonts fonts;
};

TEST_F(Win32PictureDecoderTest, DecodesBmpAndIconAtTheirPixelSizesAndDrawsThem) {
  richtext::TAdvImage bmp(decoder);
  bmp.ReadFormData(Resource("RED_BLUE"));
  EXPECT_EQ(bmp.Width(), 8);
  EXPECT_EQ(bmp.Height(), 4);
  const Picture redBlue = Drawn(bmp);
  EXPECT_EQ(redBlue.At(1, 1), kRed);
  EXPECT_EQ(redBlue.At(6, 2), kBlue);
  EXPECT_EQ(redBlue.At(9, 1), kWhite);

  richtext::TAdvImage icon(decoder);
  icon.ReadFormData(Resource("GREEN_HALF"));
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(icon.Height(), 16);
  const Picture green = Drawn(icon);
  EXPECT_EQ(green.At(3, 8), kGreen);
  EXPECT_EQ(green.At(12, 8), kWhite) << "the icon's mask keeps its right half clear";
}

TEST_F(Win32PictureDecoderTest, AGifShowsTheFrameItsPictureSelects) {
  richtext::THTMLPicture gif(decoder);
  gif.ReadFormData(Resource("RED_THEN_BLUE"));
  ASSERT_EQ(gif.GifFrameTotal(), 2);
  EXPECT_EQ(gif.Width(), 8);
  EXPECT_EQ(Drawn(gif).At(4, 4), kRed);
  gif.SetFrame(2);
  EXPECT_EQ(Drawn(gif).At(4, 4), kBlue);
  gif.SetFrame(1);
  EXPECT_EQ(Drawn(gif).At(4, 4), kRed);
}

TEST_F(Win32PictureDecoderTest, ReadsFilesAndResourcesAndNamesWhatIsNoPicture) {
  const std::string path = testing::TestProgramFolder() + "red-blue.bmp";
  const PictureBytes bmp = Resource("RED_BLUE");
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  EXPECT_EQ(decoder.ReadFile(path), bmp);
  EXPECT_EQ(decoder.ReadFile(path + ".missing"), std::nullopt);
  DeleteFileA(path.c_str());
  EXPECT_EQ(decoder.ReadResource("NO-SUCH-PICTURE"), std::nullopt);

  richtext::THTMLPicture picture(decoder);
  for (const PictureBytes& garbage :
       {PictureBytes{'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}, PictureBytes{},
        PictureBytes{'G', 'I', 'F', '8', '9', 'a', 8, 0}}) {
    try {
      picture.ReadFormData(garbage);
      ADD_FAILURE() << "decoded " << garbage.size() << " bytes of garbage";
    } catch (const richtext::PictureError& error) {
      EXPECT_STREQ(error.what(), "Could not load image. Invalid format");
    }
  }
}

}  // namespace
}  // namespace quillmere
