#include "win32/Paint.h"

#include <string>
#include <tuple>

#include "ui/InputRouting.h"
#include "win32/Backend.h"
#include "win32/Scoped.h"
#include "win32/Win32Text.h"

namespace peers {

COLORREF ToColorRef(ui::Colour c) {
  if (c & 0x80000000u) return GetSysColor(static_cast<int>(c & 0xFFu));
  return static_cast<COLORREF>(c & 0xFFFFFFu);
}

HBRUSH BrushFor(COLORREF c) {
  scoped::GdiObject& b = TheBackend().brushes[c];
  if (!b) b.Reset(CreateSolidBrush(c));
  return static_cast<HBRUSH>(b.Get());
}

HFONT FontFor(const ui::Font& font) {
  Backend& backend = TheBackend();
  // The same height as the screen service measures texts with.
  const int height = -MulDiv(static_cast<int>(font.size * 100 + 0.5), backend.screenDpiY, 7200);
  scoped::GdiObject& f = backend.fonts[{font.name, height, font.bold}];
  if (!f)
    f.Reset(CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        font.name.c_str()));
  return static_cast<HFONT>(f.Get());
}

HBITMAP BitmapFor(int id) {
  if (id <= 0 || id > 0xFFFF) return nullptr;
  Backend& backend = TheBackend();
  if (const scoped::GdiObject* found = backend.bitmaps.Find(id)) return static_cast<HBITMAP>(found->Get());
  HBITMAP b =
      static_cast<HBITMAP>(LoadImageA(backend.instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  backend.bitmaps[id] = scoped::GdiObject(b);
  return b;
}

namespace {
// Width and height of one line of text in the label's font; the W text calls
// used here are among the few the 95 family implements.
SIZE TextSize(HDC dc, const std::wstring& text) {
  SIZE size{0, 0};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

// Where the text starts in a box of that width.
int TextLeft(ui::Alignment a, int boxLeft, int boxWidth, int textWidth) {
  switch (a) {
    case ui::Alignment::Centre:
      return boxLeft + (boxWidth - textWidth) / 2;
    case ui::Alignment::Right:
      return boxLeft + boxWidth - textWidth;
    case ui::Alignment::Left:
      break;
  }
  return boxLeft;
}
}  // namespace

RECT LabelRect(HDC dc, const ui::Control& label, const RECT& bounds) {
  const std::wstring text = Widen(label.Caption());
  if (text.empty()) return bounds;
  SIZE extent;
  {
    scoped::Select font(dc, FontFor(label.GetFont()));
    extent = TextSize(dc, text);
  }
  const int left = TextLeft(label.Align(), bounds.left, bounds.right - bounds.left, extent.cx);
  const RECT textRect{left, bounds.top, left + extent.cx, bounds.top + extent.cy};
  RECT covered;
  UnionRect(&covered, &bounds, &textRect);
  return covered;
}

void PaintPicture(HDC dc, const RECT& r, int id) {
  HBITMAP bitmap = BitmapFor(id);
  if (!bitmap || r.right <= r.left || r.bottom <= r.top) return;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  scoped::CompatibleDC source(dc);
  scoped::Select picture(source, bitmap);
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
}

void PaintLabel(HDC dc, const RECT& r, const ui::Control& label, bool showAccessKey) {
  if (!label.Transparent()) FillRect(dc, &r, BrushFor(ToColorRef(label.BackColour())));
  const std::wstring text = Widen(label.Caption());
  if (text.empty()) return;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour =
      SetTextColor(dc, label.Enabled() ? ToColorRef(label.ForeColour()) : GetSysColor(COLOR_GRAYTEXT));
  {
    scoped::Select font(dc, FontFor(label.GetFont()));
    // One line from the top of the box, never cut.
    const int left = TextLeft(label.Align(), r.left, r.right - r.left, TextSize(dc, text).cx);
    ExtTextOutW(dc, left, r.top, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    const std::size_t key = ui::AccessKeyPosition(label.Caption(), label.AccessKey());
    if (showAccessKey && key != std::string::npos) {
      // The key is a plain letter: one byte of the caption, one character.
      const int from = left + TextSize(dc, Widen(label.Caption().substr(0, key))).cx;
      const int to = left + TextSize(dc, Widen(label.Caption().substr(0, key + 1))).cx;
      TEXTMETRICA metrics{};
      GetTextMetricsA(dc, &metrics);
      const RECT line{from, r.top + metrics.tmAscent + 1, to, r.top + metrics.tmAscent + 2};
      FillRect(dc, &line, BrushFor(GetTextColor(dc)));
    }
  }
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

}  // namespace peers
