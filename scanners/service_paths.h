#pragma once
// The file that a service's "ImagePath" or a static driver's "StaticVXD" names, derived from
// the stored text after its environment references were expanded.
#include <optional>
#include <string>

// replaceSystemRoot: services write "\SystemRoot\..." (both spellings "SystemRoot" and
// "systemroot", case-sensitive, become the Windows folder); static drivers do not.
// Empty when the text names no file that can be judged: no dot and no blank.
std::optional<std::string> DriverFilePath(std::string text, const std::string& windowsFolder, bool replaceSystemRoot);
