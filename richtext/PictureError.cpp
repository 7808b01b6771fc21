#include "richtext/PictureError.h"

namespace quillmere::richtext {
namespace {

const char* FailureText(DecodeFailure failure) {
  switch (failure) {
    case DecodeFailure::kAllocate:
      return "Could not allocate memory for image";
    case DecodeFailure::kCreateStream:
      return "Could not create image stream";
    case DecodeFailure::kEmptyStream:
      return "Empty image stream created";
    case DecodeFailure::kInvalidFormat:
      return "Could not load image. Invalid format";
    case DecodeFailure::kNoPicture:
    case DecodeFailure::kNone:
      break;
  }
  return "Could not load image";
}

}  // namespace

PictureError::PictureError(DecodeFailure failure)
    : std::runtime_error(FailureText(failure)), failure_(failure) {}

}  // namespace quillmere::richtext
