#include "cli/fixed_disks.h"

#include <windows.h>

#include "base/text_format.h"

std::vector<std::string> NotFixedDisks(const std::string& letters) {
    std::vector<std::string> notes;
    for (const char letter : letters) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) != DRIVE_FIXED) {
            notes.push_back(Format("%c: is not a fixed disk; its shortcuts are not scanned", letter));
        }
    }
    return notes;
}
