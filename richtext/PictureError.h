#pragma once

#include <stdexcept>

#include "platform/PictureDecoder.h"

namespace quillmere::richtext {

// A picture's bytes that could not be decoded; its message is one of the
// decoder's five texts.
class PictureError : public std::runtime_error {
 public:
  explicit PictureError(DecodeFailure failure);
  DecodeFailure failure() const { return failure_; }

 private:
  DecodeFailure failure_;
};

}  // namespace quillmere::richtext
