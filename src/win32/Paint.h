#pragma once
// Drawing objects shared by every window, made once and kept in the backend
// record, and the painting of the lightweight controls (pictures and labels).
#include <windows.h>

#include "ui/Control.h"

namespace peers {

// A colour with the top bit set names a system colour by its index.
COLORREF ToColorRef(ui::Colour c);
HBRUSH BrushFor(COLORREF c);
// The font at the screen's real pixel size.
HFONT FontFor(const ui::Font& font);
// A bitmap resource; null when the program has none by that number.
HBITMAP BitmapFor(int id);

// Where a label's text shows: its rectangle, and the text where it spills
// over (a font a little wider than designed, a label that sizes itself).
RECT LabelRect(HDC dc, const ui::Control& label, const RECT& bounds);
// The bitmap stretched to fill r; nothing when it is missing.
void PaintPicture(HDC dc, const RECT& r, int id);
// One line, never cut, transparent unless told otherwise, in its rectangle r;
// its access key underlined when the window shows them.
void PaintLabel(HDC dc, const RECT& r, const ui::Control& label, bool showAccessKey);

}  // namespace peers
