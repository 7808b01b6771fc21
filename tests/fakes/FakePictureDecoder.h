#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/PictureDecoder.h"

namespace quillmere::testing {

// A decoded fake picture: the bytes it came from and its size.
class FakeDecodedPicture final : public DecodedPicture {
 public:
  FakeDecodedPicture(PictureBytes bytes, NativeSize size) : bytes(std::move(bytes)), size_(size) {}
  NativeSize Size() const override { return size_; }
  const PictureBytes bytes;

 private:
  NativeSize size_;
};

// A GIF of `screen` pixels square with two 4 x 4 frames, each at the offset
// given (x and y alike).
PictureBytes TwoFrameGif(int screen, int offset1, int offset2);

// Decodes two made-up formats: "PIC w h" (a picture of w x h pixels at 96 pixels
// per inch) and any GIF, whose size is its logical screen. Everything else is an
// invalid format. Files and resources come from the maps.
class FakePictureDecoder final : public PictureDecoder {
 public:
  static PictureBytes Bytes(std::string_view text) { return {text.begin(), text.end()}; }
  // 0.01 mm for pixels at 96 pixels per inch.
  static int Hundredths(int pixels) { return pixels * 2540 / 96; }

  DecodeResult Decode(std::span<const std::uint8_t> bytes) const override;
  std::optional<PictureBytes> ReadFile(const std::string& path) const override;
  std::optional<PictureBytes> ReadResource(const std::string& name) const override;

  std::map<std::string, PictureBytes> files;
  std::map<std::string, PictureBytes> resources;
  DecodeFailure failure = DecodeFailure::kNone;  // what every decode fails with, if anything
  mutable std::vector<PictureBytes> decoded;     // the bytes of every decode, in order
};

}  // namespace quillmere::testing
