#pragma once
// Every message box of the main window and its dialogs passes through here, so that tests
// can read a box's text and answer it instead of a user.
#include <windows.h>

#include <functional>
#include <string>

using MessageBoxHandler =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)>;

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type = MB_OK);

// An empty handler restores the real message box.
void SetMessageBoxHandler(MessageBoxHandler handler);
