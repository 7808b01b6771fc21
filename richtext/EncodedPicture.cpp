#include "richtext/EncodedPicture.h"

#include <istream>
#include <iterator>
#include <ostream>

#include "richtext/Arithmetic.h"
#include "richtext/PictureError.h"

namespace quillmere::richtext {
namespace {

// 0.01 mm to pixels at the picture's fixed 96 pixels per inch.
int At96PixelsPerInch(int hundredthsOfMillimetre) {
  return MulDiv(hundredthsOfMillimetre, 96, 2540);
}

}  // namespace

int EncodedPicture::Width() const {
  return decoded_ ? At96PixelsPerInch(decoded_->Size().width) : 0;
}

int EncodedPicture::Height() const {
  return decoded_ ? At96PixelsPerInch(decoded_->Size().height) : 0;
}

void EncodedPicture::LoadFromFile(const std::string& path) {
  std::optional<PictureBytes> bytes = decoder_.ReadFile(path);
  if (!bytes) {
    Clear();
    return;
  }
  try {
    Load(std::move(*bytes));
  } catch (const PictureError&) {
    Clear();
  }
}

void EncodedPicture::LoadFromStream(std::istream* stream) {
  if (!stream) return;
  Load(PictureBytes(std::istreambuf_iterator<char>(*stream), std::istreambuf_iterator<char>()));
}

void EncodedPicture::SaveToStream(std::ostream& stream) const {
  stream.write(reinterpret_cast<const char*>(data_.data()),
               static_cast<std::streamsize>(data_.size()));
}

void EncodedPicture::ReadFormData(std::span<const std::uint8_t> bytes) {
  Load(PictureBytes(bytes.begin(), bytes.end()));
}

void EncodedPicture::Load(PictureBytes bytes) {
  data_ = std::move(bytes);
  empty_ = false;
  DataReplaced();
  Redecode();
  Changed();
}

void EncodedPicture::Clear() {
  data_.clear();
  empty_ = true;
  decoded_.reset();
  DataReplaced();
}

void EncodedPicture::CopyFrom(const EncodedPicture* other) {
  if (other && !other->Empty()) {
    Load(other->data_);
    return;
  }
  Clear();
  Changed();
}

void EncodedPicture::Changed() const {
  if (OnChange) OnChange();
}

void EncodedPicture::Redecode() {
  decoded_.reset();
  const PictureBytes bytes = BytesToDecode();
  DecodeResult result = decoder_.Decode(bytes);
  if (result.failure != DecodeFailure::kNone) throw PictureError(result.failure);
  if (!result.picture) throw PictureError(DecodeFailure::kNoPicture);
  decoded_ = std::move(result.picture);
}

}  // namespace quillmere::richtext
