#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quillmere {

// A picture's size in units of 0.01 mm (HIMETRIC).
struct NativeSize {
  int width = 0;
  int height = 0;
};

// A picture decoded by the platform; a drawing surface of the same platform
// renders it.
class DecodedPicture {
 public:
  virtual ~DecodedPicture() = default;
  virtual NativeSize Size() const = 0;
};

// Why a decode failed; each step of the Windows decoder has its own.
enum class DecodeFailure {
  kNone,
  kAllocate,       // GlobalAlloc(GMEM_MOVEABLE, size) for the bytes failed
  kCreateStream,   // CreateStreamOnHGlobal over that block failed
  kEmptyStream,    // it succeeded but gave no stream
  kInvalidFormat,  // OleLoadPicture(stream, size, FALSE, IID_IPicture) failed
  kNoPicture,      // it succeeded but gave no picture
};

struct DecodeResult {
  std::unique_ptr<DecodedPicture> picture;  // set exactly when failure is kNone
  DecodeFailure failure = DecodeFailure::kNone;
};

using PictureBytes = std::vector<std::uint8_t>;

// Decodes picture files (BMP, JPEG, GIF with its first frame, ICO, WMF, EMF) and
// reads the bytes they come in.
class PictureDecoder {
 public:
  virtual ~PictureDecoder() = default;
  // Copies `bytes` into a movable memory block, wraps it in a stream that frees
  // the block with it, and loads the picture from the stream; the failure of the
  // first step that fails, in the order of DecodeFailure, with nothing left
  // allocated. Empty bytes fail as an invalid format. The picture's size is
  // IPicture's get_Width and get_Height.
  virtual DecodeResult Decode(std::span<const std::uint8_t> bytes) const = 0;
  // The whole file; nullopt when it cannot be opened or read.
  virtual std::optional<PictureBytes> ReadFile(const std::string& path) const = 0;
  // The program's own resource of that name and type RT_RCDATA (FindResourceA,
  // LoadResource, LockResource, SizeofResource); nullopt when there is none.
  virtual std::optional<PictureBytes> ReadResource(const std::string& name) const = 0;
};

}  // namespace quillmere
