#pragma once

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include "platform/PictureDecoder.h"
#include "platform/win32/Handles.h"

namespace quillmere::win32 {

// A picture the system's picture loader made.
class Win32DecodedPicture final : public DecodedPicture {
 public:
  explicit Win32DecodedPicture(UniqueCom<IPicture> picture);
  NativeSize Size() const override { return size_; }
  // The whole picture stretched into `rect` of `dc`.
  void Render(HDC dc, const RECT& rect) const;

 private:
  UniqueCom<IPicture> picture_;
  NativeSize size_;
};

// Pictures decoded by OleLoadPicture, which knows BMP, JPEG, GIF, ICO, WMF and EMF.
class Win32PictureDecoder final : public PictureDecoder {
 public:
  // Resources are read from `module`: the program's own unless another is given.
  explicit Win32PictureDecoder(HMODULE module = GetModuleHandleA(nullptr)) : module_(module) {}

  DecodeResult Decode(std::span<const std::uint8_t> bytes) const override;
  std::optional<PictureBytes> ReadFile(const std::string& path) const override;
  std::optional<PictureBytes> ReadResource(const std::string& name) const override;

 private:
  HMODULE module_;
};

}  // namespace quillmere::win32
