#include "scanners/shortcut_text.h"

#include "base/text_format.h"

namespace {
constexpr uint64_t kShortcutSizeLimit = 1024;
constexpr size_t kRootStride = 4;  // "X:\" and its zero
}  // namespace

std::vector<std::string> DriveRoots(const char* buffer, size_t length) {
    std::vector<std::string> roots;
    for (size_t offset = 0; offset + kRootStride <= length; offset += kRootStride) {
        roots.emplace_back(buffer + offset, kRootStride - 1);
    }
    return roots;
}

bool DriveChosen(const std::string& root, const std::string& letters) {
    if (letters.empty()) return true;
    if (root.empty()) return false;
    const char letter = static_cast<char>(root[0] | 0x20);
    for (const char chosen : letters) {
        if ((chosen | 0x20) == letter) return true;
    }
    return false;
}

bool IsShortcutToOpen(const std::string& path, uint64_t size) {
    return size < kShortcutSizeLimit && path.size() >= 4 && path.compare(path.size() - 4, 4, ".lnk") == 0;
}

bool EndsFolderWalk(const std::string& filePath) {
    return filePath.find("NetHood") != std::string::npos || filePath.find("VeloraTemp") != std::string::npos;
}

std::string ShortcutProblemDescription(const std::string& target) {
    if (target.find(':') != std::string::npos) {
        return Format("The Target File (%s) cannot be found at the specified location", target.c_str());
    }
    return Format("The CLSID (%s) is Invalid.", target.c_str());
}

std::string UnixRootDrivesNote(const std::string& letters, const char* howToName) {
    std::string note;
    for (const char letter : letters) {
        note += std::string("Drive ") + letter +
                ": is the whole Unix file system (Wine): its shortcuts are not scanned" + howToName + ".\n";
    }
    return note;
}
