#pragma once
// The arithmetic of drawing at a DPI: lengths of the 96-DPI layout scaled to it, and which of
// the sizes the pictures are drawn at (1x, 1.5x, 2x) serves it.

inline constexpr int kBaseDpi = 96;
inline constexpr int kDrawnPictureDpis[] = {96, 144, 192};

// The 96-DPI length at the given DPI, rounded to the nearest pixel (halves away from zero);
// a DPI of zero or less counts as 96.
int ScaleForDpi(int length, int dpi);

// Which drawn size a picture at the DPI comes from, as an index of kDrawnPictureDpis: the
// nearest, the larger of two as near (a picture shrinks better than it grows).
int DrawnPictureIndex(int dpi);
