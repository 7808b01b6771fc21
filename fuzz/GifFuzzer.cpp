// The GIF frame scan, frame count and frame selection on arbitrary bytes.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "richtext/GifFrames.h"
#include "richtext/HTMLPicture.h"
#include "richtext/PictureError.h"
#include "tests/fakes/FakePictureDecoder.h"

namespace quillmere::fuzzing {
namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void ScanOnce(std::span<const std::uint8_t> data) {
  const int frames = richtext::CountGifFrames(data);
  // Markers are at least three bytes apart.
  Require(frames >= 0 && static_cast<std::size_t>(frames) * 3 <= data.size());
  for (const int frame : {0, 1, 2, frames, frames + 1}) {
    const richtext::GifFrame selected = richtext::SelectGifFrame(data, frame);
    Require(selected.bytes.size() <= data.size());
  }

  testing::FakePictureDecoder decoder;
  richtext::THTMLPicture picture(decoder);
  try {
    picture.ReadFormData(data);
  } catch (const richtext::PictureError&) {
    return;
  }
  const int total = picture.GifFrameTotal();
  Require(total == (richtext::IsGif(data) ? frames : -1));
  for (const int frame : {2, total, total + 1, 1}) {
    try {
      picture.SetFrame(frame);
    } catch (const richtext::PictureError&) {
      continue;
    }
    Require(picture.FullWidth() >= 0 && picture.FrameOffsetX() >= 0);
  }
}

}  // namespace
}  // namespace quillmere::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A buffer of exactly the input's size, so that a read past its end is caught.
  const std::vector<std::uint8_t> bytes(data, data + size);
  quillmere::fuzzing::ScanOnce(bytes);
  return 0;
}
