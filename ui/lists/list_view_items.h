#pragma once
// Reading a list-view row: the pointer it carries and the text of one of its cells.
#include <windows.h>

#include <string>

// The row's item data; 0 when the row does not exist.
LPARAM ListViewItemParam(HWND list, int row);

// The whole text of the cell, however long: never a text the list has cut.
std::string ListViewItemText(HWND list, int row, int column);
