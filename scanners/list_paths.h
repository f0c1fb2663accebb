#pragma once
// The paths the list scanners judge, formed from what they read.
#include <string>

// The help file: the folder without trailing "\", a "\", the name without leading "\".
std::string HelpFilePath(const std::string& folder, const std::string& fileName);

// Where a font entry's data lies when it is a bare file name: "%s\Fonts\%s".
std::string FontsFolderPath(const std::string& windowsFolder, const std::string& data);

// "The File (%s) cannot be found at the specified location."
std::string MissingFileDescription(const std::string& judgedPath);

// Windows keeps switches beside the sound files in the same key ("Beep" = "yes",
// "ExtendedSounds" = "no"): they name no file and are never reported.
bool IsSoundSwitch(const std::string& data);
