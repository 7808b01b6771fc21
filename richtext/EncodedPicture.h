#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>

#include "platform/PictureDecoder.h"

namespace quillmere::richtext {

// A picture file's bytes, kept as read, and the picture the platform decoded
// from them. The base of the pictures the mini-HTML text and the panel draw.
class EncodedPicture {
 public:
  explicit EncodedPicture(const PictureDecoder& decoder) : decoder_(decoder) {}
  virtual ~EncodedPicture() = default;
  EncodedPicture(const EncodedPicture&) = delete;
  EncodedPicture& operator=(const EncodedPicture&) = delete;

  // True until bytes are loaded, and again after a file that did not load.
  bool Empty() const { return empty_; }
  const PictureBytes& Data() const { return data_; }

  // The decoded picture's size at 96 pixels per inch; 0 without one.
  int Width() const;
  int Height() const;

  // A missing or undecodable file leaves the picture empty, unreported.
  void LoadFromFile(const std::string& path);
  // Everything from the stream's position on; nothing for no stream. Bytes that
  // do not decode raise PictureError.
  void LoadFromStream(std::istream* stream);
  void SaveToStream(std::ostream& stream) const;
  // How a form stores the picture: its raw bytes.
  void ReadFormData(std::span<const std::uint8_t> bytes);
  const PictureBytes& FormData() const { return data_; }

  // Raised when the content changes.
  std::function<void()> OnChange;

 protected:
  // New content: kept, decoded (PictureError when that fails), announced.
  void Load(PictureBytes bytes);
  // No content any more.
  void Clear();
  // The other picture's bytes, decoded; nothing (or an empty picture) empties
  // this one. Announced either way.
  void CopyFrom(const EncodedPicture* other);
  void Changed() const;
  // Decodes again what Data() holds; PictureError when that fails.
  void Redecode();
  // The bytes to hand the decoder; the data itself unless a subclass picks a part.
  virtual PictureBytes BytesToDecode() { return data_; }
  // Called whenever the data is replaced or cleared, before it is decoded.
  virtual void DataReplaced() {}
  const DecodedPicture* Decoded() const { return decoded_.get(); }
  const PictureDecoder& decoder() const { return decoder_; }

 private:
  const PictureDecoder& decoder_;
  PictureBytes data_;
  bool empty_ = true;
  std::unique_ptr<DecodedPicture> decoded_;
};

}  // namespace quillmere::richtext
