#include "win32/Paint.h"

#include <map>
#include <string>
#include <tuple>

#include "win32/Win32Text.h"

namespace peers {

namespace {
HINSTANCE artwork = nullptr;

int ScreenDpiY() {
  static int dpi = [] {
    HDC dc = GetDC(nullptr);
    const int d = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return d > 0 ? d : 96;
  }();
  return dpi;
}
}  // namespace

void SetArtworkInstance(HINSTANCE instance) { artwork = instance; }

COLORREF ToColorRef(ui::Colour c) {
  if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFFu));
  return static_cast<COLORREF>(c & 0xFFFFFFu);
}

HBRUSH BrushFor(COLORREF c) {
  static std::map<COLORREF, HBRUSH> brushes;
  HBRUSH& b = brushes[c];
  if (!b) b = CreateSolidBrush(c);
  return b;
}

HFONT FontFor(const ui::Font& font) {
  static std::map<std::tuple<std::string, int, bool>, HFONT> fonts;
  // The same height as the screen service measures texts with.
  const int height = -MulDiv(static_cast<int>(font.size * 100 + 0.5), ScreenDpiY(), 7200);
  HFONT& f = fonts[{font.name, height, font.bold}];
  if (!f)
    f = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                    Widen(font.name).c_str());
  return f;
}

HBITMAP BitmapFor(int id) {
  static std::map<int, HBITMAP> bitmaps;
  if (id <= 0 || id > 0xFFFF) return nullptr;
  const auto found = bitmaps.find(id);
  if (found != bitmaps.end()) return found->second;
  HBITMAP b = static_cast<HBITMAP>(LoadImageW(artwork, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  bitmaps[id] = b;  // a missing one is not looked for again
  return b;
}

namespace {
UINT AlignFormat(ui::Alignment a) {
  switch (a) {
    case ui::Alignment::Centre:
      return DT_CENTER;
    case ui::Alignment::Right:
      return DT_RIGHT;
    case ui::Alignment::Left:
      break;
  }
  return DT_LEFT;
}
}  // namespace

RECT LabelRect(HDC dc, const ui::Control& label, const RECT& bounds) {
  const std::wstring text = Widen(label.Caption());
  if (text.empty()) return bounds;
  RECT extent{0, 0, 0, 0};
  HGDIOBJ old = SelectObject(dc, FontFor(label.GetFont()));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  const int width = extent.right, boxWidth = bounds.right - bounds.left;
  RECT textRect{bounds.left, bounds.top, bounds.left + width, bounds.top + extent.bottom};
  if (label.Align() == ui::Alignment::Centre) OffsetRect(&textRect, (boxWidth - width) / 2, 0);
  if (label.Align() == ui::Alignment::Right) OffsetRect(&textRect, boxWidth - width, 0);
  RECT covered;
  UnionRect(&covered, &bounds, &textRect);
  return covered;
}

void PaintPicture(HDC dc, const RECT& r, int id) {
  HBITMAP bitmap = BitmapFor(id);
  if (!bitmap || r.right <= r.left || r.bottom <= r.top) return;
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (info.bmWidth == w && info.bmHeight == h) {
    BitBlt(dc, r.left, r.top, w, h, source, 0, 0, SRCCOPY);
  } else {
    const int mode = SetStretchBltMode(dc, HALFTONE);
    POINT origin;
    SetBrushOrgEx(dc, 0, 0, &origin);  // HALFTONE needs it reset after the mode change
    StretchBlt(dc, r.left, r.top, w, h, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
  }
  SelectObject(source, old);
  DeleteDC(source);
}

void PaintLabel(HDC dc, const RECT& r, const ui::Control& label) {
  if (!label.Transparent()) FillRect(dc, &r, BrushFor(ToColorRef(label.BackColour())));
  const std::wstring text = Widen(label.Caption());
  if (text.empty()) return;
  const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_TOP | DT_NOCLIP | AlignFormat(label.Align());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour =
      SetTextColor(dc, label.Enabled() ? ToColorRef(label.ForeColour()) : GetSysColor(COLOR_GRAYTEXT));
  HGDIOBJ oldFont = SelectObject(dc, FontFor(label.GetFont()));
  RECT box = r;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
  SelectObject(dc, oldFont);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace peers
