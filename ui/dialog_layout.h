#pragma once
// Lays a dialog's items out over a client area of any size in the proportions of its template,
// always from the template's own dialog units, so that changing the size again and again
// gathers no rounding.
#include <windows.h>

#include "ui/dialog_template_layout.h"

class DialogLayout {
public:
    // Reads the template; false when it is no extended template that can be read whole.
    bool Load(HMODULE module, int templateId);
    // Moves every item of the template to its place over a client area of that size and gives
    // it the font (none: the items keep theirs).
    void Apply(HWND dialog, SIZE client, HFONT font) const;

private:
    DialogTemplateLayout layout_;
};
