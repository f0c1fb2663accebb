#pragma once
// Lays a markup text out word by word into a rectangle of a device context, in the font that is
// selected in it. Owner-drawn lists call it for their rows:
//     DrawMarkupInRect(dc, rowRect, "<b>Fonts</b> <font color=\"#FF0000\">3 problems</font>");
// and measure with DT_CALCRECT:
//     RECT r{0, 0, width, 0}; DrawMarkup(dc, text, -1, &r, DT_WORDBREAK | DT_CALCRECT);
#include <windows.h>

// Returns the vertical offset of the last line. A negative length reads up to the terminating
// zero. Without a rectangle, layout starts at the current position and may use the screen's
// width. Takes DT_WORDBREAK, DT_SINGLELINE (ignores "br" and "p"), DT_CALCRECT (measures only:
// right becomes left + widest line, bottom becomes top + last line offset + line height),
// DT_VCENTER and DT_BOTTOM; DT_CENTER, DT_RIGHT and DT_TABSTOP are ignored.
int DrawMarkup(HDC dc, const char* text, int length, RECT* rect, UINT format);

// DrawMarkup with the whole text and DT_WORDBREAK.
int DrawMarkupInRect(HDC dc, const RECT& rect, const char* text);

// A copy of the base font with the style of a markup run (MarkupStyle bits).
HFONT MakeStyledFont(HFONT base, unsigned style);

enum MarkupStyle : unsigned {
    kMarkupBold = 1,
    kMarkupItalic = 2,
    kMarkupUnderline = 4,
    kMarkupSuperscript = 8,
    kMarkupSubscript = 16,
};
