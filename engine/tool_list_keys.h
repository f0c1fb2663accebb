#pragma once
// The lists the tool dialogs manage, as 64-bit programs name them; each also has a 32-bit
// programs' copy (ThirtyTwoBitKeyPath). The installed-programs scan reads the same list.
inline constexpr const char* kStartupRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kBhoListKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
