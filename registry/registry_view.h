#pragma once
// The two registry views of 64-bit Windows: the 64-bit programs' and the 32-bit programs', whose
// entries Windows keeps below a "Wow6432Node" key. A reference means what it means to the program
// that wrote it, so the view of the key it was read from decides how its path is judged.
#include <string>

enum class RegistryView : int { Bits64 = 64, Bits32 = 32 };

// Bits32 when one of the path's key names is "Wow6432Node" (in any letter case).
RegistryView ViewOfKeyPath(const std::string& keyPath);

// "64-bit" or "32-bit", as the tool dialogs show a row's view.
const char* ViewCaption(RegistryView view);

// The 32-bit programs' copy of a key below "SOFTWARE": "Wow6432Node" after the path's first name.
std::string ThirtyTwoBitKeyPath(const std::string& keyPath);
