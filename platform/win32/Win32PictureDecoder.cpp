#include "platform/win32/Win32PictureDecoder.h"

#include <climits>
#include <cstring>

namespace quillmere::win32 {
namespace {

// A file opened for reading; CreateFileA's failure value is not null.
class ReadableFile {
 public:
  explicit ReadableFile(const std::string& path)
      : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~ReadableFile() {
    if (ok()) CloseHandle(handle_);
  }
  ReadableFile(const ReadableFile&) = delete;
  ReadableFile& operator=(const ReadableFile&) = delete;
  bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

DecodeResult Failed(DecodeFailure failure) { return {nullptr, failure}; }

// The picture loader is told a stream's size as a LONG; a larger file is no
// picture it could load.
constexpr std::uint64_t kLargestPicture = LONG_MAX;

}  // namespace

Win32DecodedPicture::Win32DecodedPicture(UniqueCom<IPicture> picture)
    : picture_(std::move(picture)) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  if (SUCCEEDED(picture_->get_Width(&width)) && SUCCEEDED(picture_->get_Height(&height))) {
    size_ = NativeSize{static_cast<int>(width), static_cast<int>(height)};
  }
}

// The source rectangle runs from the picture's bottom upwards, as the loader's
// pictures count their 0.01 mm from the bottom.
void Win32DecodedPicture::Render(HDC dc, const RECT& rect) const {
  picture_->Render(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0,
                   size_.height, size_.width, -size_.height, nullptr);
}

DecodeResult Win32PictureDecoder::Decode(std::span<const std::uint8_t> bytes) const {
  if (bytes.empty()) return Failed(DecodeFailure::kInvalidFormat);
  if (bytes.size() > kLargestPicture) return Failed(DecodeFailure::kAllocate);
  UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  if (!block) return Failed(DecodeFailure::kAllocate);
  void* const data = GlobalLock(block.get());
  if (!data) return Failed(DecodeFailure::kAllocate);
  std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(block.get());

  IStream* rawStream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, &rawStream))) {
    return Failed(DecodeFailure::kCreateStream);
  }
  if (!rawStream) return Failed(DecodeFailure::kEmptyStream);
  block.release();  // the stream frees it when it goes
  const UniqueCom<IStream> stream(rawStream);

  IPicture* rawPicture = nullptr;
  if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&rawPicture)))) {
    return Failed(DecodeFailure::kInvalidFormat);
  }
  if (!rawPicture) return Failed(DecodeFailure::kNoPicture);
  return {std::make_unique<Win32DecodedPicture>(UniqueCom<IPicture>(rawPicture)),
          DecodeFailure::kNone};
}

std::optional<PictureBytes> Win32PictureDecoder::ReadFile(const std::string& path) const {
  const ReadableFile file(path);
  LARGE_INTEGER size{};
  if (!file.ok() || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > kLargestPicture) {
    return std::nullopt;
  }
  PictureBytes bytes(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read,
                    nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;  // the file shrank while it was read
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

std::optional<PictureBytes> Win32PictureDecoder::ReadResource(const std::string& name) const {
  const HRSRC found = FindResourceA(module_, name.c_str(), RT_RCDATA);
  if (!found) return std::nullopt;
  const HGLOBAL loaded = LoadResource(module_, found);
  const auto* data = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
  if (!data) return std::nullopt;
  return PictureBytes(data, data + SizeofResource(module_, found));
}

}  // namespace quillmere::win32
