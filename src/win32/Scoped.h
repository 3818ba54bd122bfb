#pragma once
// Small owners for the Windows handles a paint, a measure or a menu takes, so
// that each path reads as what it does and gives back what it took, in the
// reverse order, however it is left.
#include <windows.h>

#include <utility>

namespace scoped {

// A window's (or the screen's, for null) device context.
class GetDC {
 public:
  explicit GetDC(HWND window) : window_(window), dc_(::GetDC(window)) {}
  ~GetDC() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  GetDC(const GetDC&) = delete;
  GetDC& operator=(const GetDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint and EndPaint around a WM_PAINT.
class Paint {
 public:
  explicit Paint(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
  ~Paint() { ::EndPaint(window_, &ps_); }
  Paint(const Paint&) = delete;
  Paint& operator=(const Paint&) = delete;
  operator HDC() const { return dc_; }
  const RECT& Area() const { return ps_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
};

// A memory device context like another one.
class CompatibleDC {
 public:
  explicit CompatibleDC(HDC like) : dc_(::CreateCompatibleDC(like)) {}
  ~CompatibleDC() {
    if (dc_) ::DeleteDC(dc_);
  }
  CompatibleDC(const CompatibleDC&) = delete;
  CompatibleDC& operator=(const CompatibleDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a device context for as long as this lives.
class Select {
 public:
  Select(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? ::SelectObject(dc, object) : nullptr) {}
  ~Select() {
    if (previous_) ::SelectObject(dc_, previous_);
  }
  Select(const Select&) = delete;
  Select& operator=(const Select&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Owns one handle, given back with Free; movable, never copied.
template <class Handle, BOOL(WINAPI* Free)(Handle)>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle h) : h_(h) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  Handle Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  void Reset(Handle h = nullptr) {
    if (h_) Free(h_);
    h_ = h;
  }

 private:
  Handle h_ = nullptr;
};

inline BOOL WINAPI FreeGdiObject(HGDIOBJ object) { return ::DeleteObject(object); }
using GdiObject = Owned<HGDIOBJ, FreeGdiObject>;
using Icon = Owned<HICON, ::DestroyIcon>;
using Menu = Owned<HMENU, ::DestroyMenu>;

}  // namespace scoped
