#pragma once
// Controls that paint no background of their own (transparent labels, links) leave their old
// pixels behind; a change of their look has the parent repaint the area under them first.
#include <windows.h>

inline void RepaintBehind(HWND control) {
    HWND parent = GetParent(control);
    if (!parent) {
        InvalidateRect(control, nullptr, TRUE);
        return;
    }
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}
