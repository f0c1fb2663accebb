#pragma once
// Where the lists and labels of the main window draw their markup texts.
#include <windows.h>

#include <string>

void DrawRowMarkup(HDC dc, RECT& rect, const std::string& markup);
