#pragma once

#include <string>

#include "richtext/PictureCache.h"
#include "richtext/PictureContainer.h"
#include "tests/fakes/FakePictureDecoder.h"

namespace quillmere::fuzzing {

// The pictures markup can name while fuzzing: two in a container, a file and two
// resources (one of them undecodable) for the cache.
struct FuzzPictures {
  FuzzPictures() {
    decoder.files["C:\\PIC.BMP"] = testing::FakePictureDecoder::Bytes("PIC 12 8");
    decoder.resources["LOGO"] = testing::TwoFrameGif(10, 1, 3);
    decoder.resources["BAD"] = testing::FakePictureDecoder::Bytes("not a picture");
    richtext::TPictureItem& logo = container.Items.Add();
    logo.Name = "logo";
    logo.Picture().ReadFormData(testing::FakePictureDecoder::Bytes("PIC 20 10"));
    richtext::TPictureItem& anim = container.Items.Add();
    anim.Name = "Anim";
    anim.Picture().ReadFormData(testing::TwoFrameGif(16, 2, 5));
    anim.Picture().SetFrame(2);
  }
  testing::FakePictureDecoder decoder;
  richtext::TPictureContainer container{decoder};
  richtext::THTMLPictureCache cache{decoder};
};

}  // namespace quillmere::fuzzing
