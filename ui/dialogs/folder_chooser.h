#pragma once
// The folder browser behind "..." on the advanced page.
#include <windows.h>

#include <string>

// The chosen file-system folder; empty when the user cancels or after an error message.
std::string ChooseLogFolder(HWND owner, const std::string& caption);
