#include "scanners/service_paths.h"

namespace {
void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}
}  // namespace

std::optional<std::string> DriverFilePath(std::string text, const std::string& windowsFolder, bool replaceSystemRoot) {
    if (replaceSystemRoot) {
        ReplaceAll(text, "SystemRoot", windowsFolder);
        ReplaceAll(text, "systemroot", windowsFolder);
    }
    const size_t colon = text.find(':');
    if (colon != std::string::npos) {
        // Keeps the drive letter: "\??\C:\..." and "\C:\..." become "C:\...".
        if (colon > 0) text.erase(0, colon - 1);
    } else if (!text.empty() && text.front() == '\\') {
        text.insert(0, windowsFolder);
    } else {
        // Relative to the Windows folder.
        text.insert(0, windowsFolder + "\\");
    }
    if (text.find('.') == std::string::npos) {
        const size_t blank = text.find(' ');
        if (blank == std::string::npos) return std::nullopt;
        text.resize(blank);
        text += ".exe";
    }
    return text;
}
