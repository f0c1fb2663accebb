#pragma once
// Re-fonting an extended dialog template before the dialog is created from it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The point size that keeps the main dialog's layout at the screen's vertical DPI:
// 792 / DPI, rounded (8 at 96 DPI, 7 at 120).
int DialogPointSize(int pixelsPerInch);

// A copy of the DIALOGEX template with the given typeface and point size; empty when the
// data is not an extended template that carries a font, or is cut short.
std::vector<uint8_t> WithDialogFont(const uint8_t* data, size_t size, const std::u16string& typeface,
                                    uint16_t pointSize);

// The font of an extended template (for checks): empty typeface when there is none.
struct DialogTemplateFont {
    std::u16string typeface;
    uint16_t pointSize = 0;
};
DialogTemplateFont ReadDialogFont(const uint8_t* data, size_t size);
