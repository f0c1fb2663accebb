#include "cli/fixed_disks.h"

#include <windows.h>

#include "base/text_format.h"

std::string NotFixedDiskWarnings(const std::string& letters) {
    std::string warnings;
    for (const char letter : letters) {
        const char root[] = {letter, ':', '\\', '\0'};
        if (GetDriveTypeA(root) != DRIVE_FIXED) {
            warnings += Format("tidrex: %c: is not a fixed disk; its shortcuts are not scanned\n", letter);
        }
    }
    return warnings;
}
