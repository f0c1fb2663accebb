#pragma once
// Reads one shortcut file through the shell's link object (IShellLinkA with IPersistFile).
// COM must be initialised on the calling thread.
#include <windows.h>

#include <string>

struct ShortcutContents {
    // As the link gives it; an existing target with short components becomes its long form.
    std::string target;
    std::string description;
};

// Loads, resolves without any search or user interface, and reads the target's short form and the
// description; a failing step ends the reading with its result, and what was read before stays.
// The link object is created for this one shortcut and released after it.
HRESULT ReadShortcut(const std::string& linkPath, HWND window, ShortcutContents& contents);

// The path of an existing file or folder with its short (8.3) components replaced by their long
// names, "/" taken for "\"; empty when a component cannot be found or the path does not start at a
// drive root. Letter case may differ from the file system's: only a longer form is ever used.
std::string LongPathForm(const std::string& path);
