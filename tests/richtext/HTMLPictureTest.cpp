#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "richtext/AdvImage.h"
#include "richtext/GifFrames.h"
#include "richtext/HTMLPicture.h"
#include "richtext/PictureCache.h"
#include "richtext/PictureContainer.h"
#include "richtext/PictureError.h"
#include "tests/fakes/FakePictureDecoder.h"
#include "tests/fakes/FakeSurface.h"

namespace quillmere::richtext {
namespace {

using ::testing::ElementsAre;
using testing::FakePictureDecoder;
using testing::TwoFrameGif;

// Header, logical screen descriptor (16 x 16) and the two frames' offsets in the
// test GIF: frame 1 starts at byte 13, frame 2 at byte 36, the trailer at 59.
constexpr std::size_t kFrame1 = 13;
constexpr std::size_t kFrame2 = 36;

class Pictures : public ::testing::Test {
 protected:
  FakePictureDecoder decoder;
  THTMLPicture picture{decoder};
  testing::FakeSurface canvas;
};

TEST_F(Pictures, AGifShowsTheSelectedFrameAtItsOffsetOnTheLogicalScreen) {
  const PictureBytes gif = TwoFrameGif(16, 1, 5);
  picture.ReadFormData(gif);
  EXPECT_EQ(picture.GifFrameTotal(), 2);
  EXPECT_EQ(decoder.decoded.back(), gif) << "frame 1 leaves nothing out";
  int changes = 0;
  picture.OnFrameChange = [&](THTMLPicture& sender) {
    EXPECT_EQ(&sender, &picture);
    ++changes;
  };
  picture.SetFrame(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(picture.FrameOffsetX(), 5);
  EXPECT_EQ(picture.FrameOffsetY(), 5);
  EXPECT_EQ(picture.FullWidth(), 16);
  PictureBytes expected(gif.begin(), gif.begin() + kFrame1);
  expected.insert(expected.end(), gif.begin() + kFrame2, gif.end());
  EXPECT_EQ(decoder.decoded.back(), expected);

  picture.ReadFormData(FakePictureDecoder::Bytes("PIC 4 4"));
  EXPECT_EQ(picture.GifFrameTotal(), -1);
  EXPECT_EQ(picture.FullWidth(), 4) << "no logical screen: the picture's own width";
  const PictureBytes plain = {'G', 'I', 'F', '8', '9', 'a', 8, 0, 8, 0, 0,    0, 0, 0x2C, 0,
                              0,   0,   0,   8,   0,   8,   0, 0, 2, 2, 0x44, 1, 0, 0x3B};
  picture.ReadFormData(plain);
  EXPECT_EQ(picture.GifFrameTotal(), 0);
  EXPECT_EQ(decoder.decoded.back(), plain) << "no control blocks: decoded unchanged";
}

TEST_F(Pictures, AShortOrHostileGifIsNeverReadPastItsEnd) {
  // A frame marker whose offsets and size would lie beyond the last byte.
  PictureBytes cut = TwoFrameGif(16, 1, 5);
  cut.resize(kFrame1 + 11);
  cut.shrink_to_fit();
  EXPECT_EQ(CountGifFrames(cut), 1);
  const GifFrame frame = SelectGifFrame(cut, 1);
  EXPECT_EQ(frame.offsetX, 1);
  EXPECT_EQ(frame.offsetY, 0) << "the bytes from the vertical offset on are missing";
  EXPECT_EQ(frame.width, 0);
  EXPECT_EQ(frame.height, 0);
  EXPECT_EQ(frame.bytes, cut);

  const PictureBytes tiny = {'G', 'I', 'F', '8', '7'};
  EXPECT_TRUE(IsGif(tiny));
  EXPECT_EQ(SelectGifFrame(tiny, 1).screenWidth, 0);
  EXPECT_EQ(SelectGifFrame(tiny, 1).screenHeight, 0);
  EXPECT_EQ(CountGifFrames(PictureBytes{0x21, 0xF9, 0x04, 0, 0, 0, 0, 0, 0x2C}), 0);
}

TEST_F(Pictures, SourcesLoadFilesAndResourcesOnceByTheirUpperCasedTextAndRemoteOnesNever) {
  decoder.files["C:\\PIC.BMP"] = FakePictureDecoder::Bytes("PIC 12 8");
  decoder.resources["LOGO"] = FakePictureDecoder::Bytes("PIC 3 3");
  THTMLPictureCache cache(decoder);
  THTMLPicture* loaded = ResolvePicture("FILE://C:\\PIC.BMP", nullptr, &cache);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Width(), 12);
  EXPECT_EQ(loaded->Height(), 8);
  EXPECT_EQ(ResolvePicture("FILE://C:\\PIC.BMP", nullptr, &cache), loaded);
  EXPECT_EQ(decoder.decoded.size(), 1u);
  EXPECT_EQ(cache.LookupPicture("file://c:\\pic.bmp"), nullptr) << "letter case counts";
  picture.LoadSource("file://c:\\pic.bmp");
  EXPECT_EQ(picture.Identifier(), "FILE://C:\\PIC.BMP");
  EXPECT_FALSE(picture.Empty());
  // A file named in any script: "ärger.gif" is keyed and loaded as "ÄRGER.GIF".
  decoder.files["C:\\\xC3\x84RGER.GIF"] = FakePictureDecoder::Bytes("PIC 5 5");
  picture.LoadSource("file://c:\\\xC3\xA4rger.gif");
  EXPECT_EQ(picture.Identifier(), "FILE://C:\\\xC3\x84RGER.GIF");
  EXPECT_EQ(picture.Width(), 5);

  EXPECT_FALSE(ResolvePicture("RES://LOGO", nullptr, &cache)->Empty());
  THTMLPicture* missing = ResolvePicture("RES://NONE", nullptr, &cache);
  EXPECT_TRUE(missing->Empty());
  missing->Draw(canvas, {0, 0, 10, 10});
  EXPECT_TRUE(canvas.pictures.empty());
  THTMLPicture* remote = ResolvePicture("HTTP://HOST/A.GIF", nullptr, &cache);
  EXPECT_TRUE(remote->Empty());
  EXPECT_EQ(remote->URL(), "HTTP://HOST/A.GIF");
  EXPECT_EQ(cache.Count(), 4u);
  EXPECT_EQ(ResolvePicture("NAME", nullptr, &cache), nullptr) << "a plain name needs a container";

  THTMLPicture download(decoder);
  download.LoadSource("http://host/a.gif");
  EXPECT_TRUE(download.ThreadBusy());
  EXPECT_EQ(download.Identifier(), "") << "a started download leaves the identifier";
  download.LoadSource("http://host/b.gif");
  EXPECT_EQ(download.URL(), "HTTP://HOST/A.GIF") << "one download at a time";
  EXPECT_TRUE(download.Empty());
}

TEST_F(Pictures, ContainerItemsAreFoundByTheirUpperCasedNameAndCopyWhole) {
  TPictureContainer container(decoder);
  TPictureItem& first = container.Items.Add();
  first.Name = "logo";
  first.Tag = 7;
  first.Picture().ReadFormData(FakePictureDecoder::Bytes("PIC 5 5"));
  container.Items.Add().Name = "LOGO";
  EXPECT_EQ(container.FindByName("logo"), nullptr);
  EXPECT_EQ(ResolvePicture("LOGO", &container, nullptr), &first.Picture());

  TPictureItem copy(decoder);
  copy.Assign(first);
  EXPECT_EQ(copy.Name, "logo");
  EXPECT_EQ(copy.Tag, 7);
  EXPECT_EQ(copy.Picture().Width(), 5);
}

TEST_F(Pictures, WithoutStretchAPictureDrawsAtItsNaturalSizeForTheSurface) {
  picture.ReadFormData(FakePictureDecoder::Bytes("PIC 20 10"));
  picture.Draw(canvas, {5, 5, 100, 100});
  canvas.ppiX = canvas.ppiY = 120;
  picture.Draw(canvas, {5, 5, 100, 100});
  picture.SetStretch(true);
  picture.Draw(canvas, {5, 5, 100, 100});
  TAdvImage image(decoder);
  image.Draw(canvas, {0, 0, 1, 1});  // empty: nothing
  image.ReadFormData(FakePictureDecoder::Bytes("PIC 20 10"));
  image.Draw(canvas, {1, 2, 3, 4});  // an image always fills
  EXPECT_THAT(canvas.pictures, ElementsAre(Rect{5, 5, 25, 15}, Rect{5, 5, 30, 17},
                                           Rect{5, 5, 100, 100}, Rect{1, 2, 3, 4}));
}

TEST_F(Pictures, UndecodableBytesRaiseTheirErrorExceptFromFiles) {
  decoder.failure = DecodeFailure::kInvalidFormat;
  try {
    picture.ReadFormData(FakePictureDecoder::Bytes("PIC 1 1"));
    ADD_FAILURE() << "no error";
  } catch (const PictureError& error) {
    EXPECT_STREQ(error.what(), "Could not load image. Invalid format");
  }
  decoder.files["C:\\BAD.BMP"] = FakePictureDecoder::Bytes("PIC 1 1");
  picture.LoadFromFile("C:\\BAD.BMP");
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(picture.Width(), 0);
  decoder.failure = DecodeFailure::kNone;
  picture.LoadFromFile("C:\\MISSING.BMP");
  EXPECT_TRUE(picture.Empty());
}

TEST_F(Pictures, StreamsAndAssignmentCarryTheBytes) {
  int changes = 0;
  picture.OnChange = [&] { ++changes; };
  picture.LoadFromStream(nullptr);
  EXPECT_TRUE(picture.Empty());
  std::istringstream in("PIC 6 4");
  picture.LoadFromStream(&in);
  EXPECT_EQ(picture.Width(), 6);
  std::ostringstream out;
  picture.SaveToStream(out);
  EXPECT_EQ(out.str(), "PIC 6 4");
  EXPECT_EQ(changes, 1);

  THTMLPicture gif(decoder);
  gif.ReadFormData(TwoFrameGif(16, 1, 5));
  gif.SetFrame(2);
  THTMLPicture copy(decoder);
  copy.SetFrame(2);
  copy.Assign(&gif);
  EXPECT_EQ(copy.Frame(), 1);
  EXPECT_EQ(copy.FrameOffsetX(), 1);
  EXPECT_EQ(copy.Data(), gif.Data());

  const THTMLPicture empty(decoder);
  picture.Assign(&empty);
  EXPECT_TRUE(picture.Empty()) << "copying an empty picture is no decoding error";
  picture.Assign(&copy);
  picture.Assign(nullptr);
  EXPECT_TRUE(picture.Empty());
  EXPECT_EQ(changes, 4);
}

}  // namespace
}  // namespace quillmere::richtext
