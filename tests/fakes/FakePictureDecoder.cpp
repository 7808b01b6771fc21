#include "tests/fakes/FakePictureDecoder.h"

#include <cstdio>

namespace quillmere::testing {

PictureBytes TwoFrameGif(int screen, int offset1, int offset2) {
  const auto byte = [](int value) { return static_cast<std::uint8_t>(value); };
  PictureBytes gif = {'G', 'I', 'F', '8', '9', 'a', byte(screen), 0, byte(screen), 0, 0, 0, 0};
  for (const int offset : {offset1, offset2}) {
    const PictureBytes frame = {0x21, 0xF9,         0x04, 0, 0, 0, 0, 0, 0x2C, byte(offset),
                                0,    byte(offset), 0,    4, 0, 4, 0, 0, 2,    2,
                                0x44, 0x01,         0};
    gif.insert(gif.end(), frame.begin(), frame.end());
  }
  gif.push_back(0x3B);
  return gif;
}

DecodeResult FakePictureDecoder::Decode(std::span<const std::uint8_t> bytes) const {
  decoded.emplace_back(bytes.begin(), bytes.end());
  if (failure != DecodeFailure::kNone) return {nullptr, failure};
  const std::string text(bytes.begin(), bytes.end());
  int width = 0;
  int height = 0;
  if (text.starts_with("GIF8") && bytes.size() >= 10) {
    width = bytes[6] | bytes[7] << 8;
    height = bytes[8] | bytes[9] << 8;
  } else if (std::sscanf(text.c_str(), "PIC %d %d", &width, &height) != 2) {
    return {nullptr, DecodeFailure::kInvalidFormat};
  }
  return {std::make_unique<FakeDecodedPicture>(PictureBytes(bytes.begin(), bytes.end()),
                                               NativeSize{Hundredths(width), Hundredths(height)}),
          DecodeFailure::kNone};
}

std::optional<PictureBytes> FakePictureDecoder::ReadFile(const std::string& path) const {
  const auto found = files.find(path);
  if (found == files.end()) return std::nullopt;
  return found->second;
}

std::optional<PictureBytes> FakePictureDecoder::ReadResource(const std::string& name) const {
  const auto found = resources.find(name);
  if (found == resources.end()) return std::nullopt;
  return found->second;
}

}  // namespace quillmere::testing
