#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

namespace quillmere::win32 {

// An owner for one kind of Windows handle, freed by `Free` when the owner goes.
template <typename Handle, auto Free>
struct HandleDeleter {
  void operator()(Handle h) const noexcept { Free(h); }
};
template <typename Handle, auto Free>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Free>>;

using UniqueFont = UniqueHandle<HFONT, DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObject>;
using UniquePen = UniqueHandle<HPEN, DeleteObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObject>;
using UniqueRegion = UniqueHandle<HRGN, DeleteObject>;
using UniqueDC = UniqueHandle<HDC, DeleteDC>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageList_Destroy>;
using UniqueModule = UniqueHandle<HMODULE, FreeLibrary>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindow>;
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalFree>;
// A kernel object such as a process, a thread, an event or a pipe. (A file opened with
// CreateFileA fails with INVALID_HANDLE_VALUE, not null: check it before it is kept.)
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;

// Releases a COM interface.
struct ComRelease {
  void operator()(IUnknown* p) const noexcept { p->Release(); }
};
template <typename Interface>
using UniqueCom = std::unique_ptr<Interface, ComRelease>;

// The exported function `name` of `module` as the type the caller knows it has, or
// nullptr when the module has no such export.
template <typename Proc>
Proc FindProc(HMODULE module, const char* name) {
  return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The header of a top-down 32-bit picture: its pixels are exactly the colours drawn,
// whatever the screen's depth.
inline BITMAPINFO TopDownPictureInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A top-down 32-bit picture of its own. Null when the system refuses.
inline UniqueBitmap MakeDibSection(int width, int height) {
  const BITMAPINFO info = TopDownPictureInfo(width, height);
  void* bits = nullptr;
  return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

// Selects a GDI object into a device context for one scope; nothing for no object.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object)
      : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectObjectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint and EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// The device context of a window's client area for one scope (GetDC, ReleaseDC).
class ClientDC {
 public:
  explicit ClientDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~ClientDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  ClientDC(const ClientDC&) = delete;
  ClientDC& operator=(const ClientDC&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// CoInitialize for the calling thread's lifetime in this scope.
class ComApartment {
 public:
  ComApartment() : result_(CoInitialize(nullptr)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace quillmere::win32
