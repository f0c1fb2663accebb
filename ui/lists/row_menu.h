#pragma once
// A list's rows as a command acts on them, and the context menu that offers the command: at the
// mouse, or below the focused row when the keyboard asked for it (Shift+F10, the menu key).
#include <windows.h>

#include <vector>

// The selected rows in order; the focused row when none is selected.
std::vector<int> ChosenRows(HWND list);

struct RowMenuItem {
    const char* text;  // with its mnemonic
    int command;
    bool enabled;
};

// position: WM_CONTEXTMENU's; -1 when it came from the keyboard. Returns the command chosen, 0 for none.
int TrackRowMenu(HWND owner, HWND list, LPARAM position, const std::vector<RowMenuItem>& items);
