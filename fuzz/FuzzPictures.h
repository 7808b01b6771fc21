#pragma once

#include <string>

#include "richtext/PictureCache.h"
#include "richtext/PictureContainer.h"
#include "tests/fakes/FakePictureDecoder.h"

namespace quillmere::fuzzing {

// A GIF of `screen` pixels square with two frames at the given offsets.
inline PictureBytes TwoFrameGif(int screen, int offset1, int offset2) {
  PictureBytes gif = {'G', 'I', 'F', '8', '9', 'a', static_cast<std::uint8_t>(screen), 0,
                      static_cast<std::uint8_t>(screen), 0, 0, 0, 0};
  for (const int offset : {offset1, offset2}) {
    const PictureBytes frame = {0x21, 0xF9, 0x04, 0, 0, 0, 0, 0, 0x2C,
                                static_cast<std::uint8_t>(offset), 0,
                                static_cast<std::uint8_t>(offset), 0, 4, 0, 4, 0, 0, 2, 2, 0x44,
                                0x01, 0};
    gif.insert(gif.end(), frame.begin(), frame.end());
  }
  gif.push_back(0x3B);
  return gif;
}

// The pictures markup can name while fuzzing: two in a container, a file and two
// resources (one of them undecodable) for the cache.
struct FuzzPictures {
  FuzzPictures() {
    decoder.files["C:\\PIC.BMP"] = testing::FakePictureDecoder::Bytes("PIC 12 8");
    decoder.resources["LOGO"] = TwoFrameGif(10, 1, 3);
    decoder.resources["BAD"] = testing::FakePictureDecoder::Bytes("not a picture");
    richtext::TPictureItem& logo = container.Items.Add();
    logo.Name = "logo";
    logo.Picture().ReadFormData(testing::FakePictureDecoder::Bytes("PIC 20 10"));
    richtext::TPictureItem& anim = container.Items.Add();
    anim.Name = "Anim";
    anim.Picture().ReadFormData(TwoFrameGif(16, 2, 5));
    anim.Picture().SetFrame(2);
  }
  testing::FakePictureDecoder decoder;
  richtext::TPictureContainer container{decoder};
  richtext::THTMLPictureCache cache{decoder};
};

}  // namespace quillmere::fuzzing
