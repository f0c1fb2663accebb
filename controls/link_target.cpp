#include "controls/link_target.h"

#include <shellapi.h>

#include "base/unique_handles.h"
#include "controls/hyperlink_texts.h"

namespace {
// The default value of a key below HKEY_CLASSES_ROOT, read into the fixed 260-byte buffer.
bool ReadClassesDefault(const std::string& path, std::string& value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
    UniqueHkey key(opened);
    char buffer[MAX_PATH] = {};
    LONG size = sizeof(buffer);
    if (RegQueryValueA(key.get(), nullptr, buffer, &size) != ERROR_SUCCESS) return false;
    buffer[sizeof(buffer) - 1] = '\0';
    value = buffer;
    return true;
}
}  // namespace

int OpenLinkTarget(const std::string& target, int show) {
    const int result = static_cast<int>(
        reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, show)));
    if (result > 32) return result;
    std::string programId, command;
    if (!ReadClassesDefault(".htm", programId)) return result;
    if (!ReadClassesDefault(programId + "\\shell\\open\\command", command)) return result;
    return static_cast<int>(WinExec(BrowserCommandLine(command, target).c_str(), static_cast<UINT>(show)));
}
