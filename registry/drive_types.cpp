#include "registry/drive_types.h"

#include <windows.h>

namespace {
thread_local DriveTypeMemo* t_memo = nullptr;

int LetterIndex(char letter) {
    if (letter >= 'a' && letter <= 'z') return letter - 'a';
    if (letter >= 'A' && letter <= 'Z') return letter - 'A';
    return -1;
}
}  // namespace

DriveTypeMemo::DriveTypeMemo() : outer_(t_memo) {
    types_.fill(kNotRead);
    t_memo = this;
}

DriveTypeMemo::~DriveTypeMemo() { t_memo = outer_; }

unsigned DriveTypeMemo::TypeOf(char driveLetter) {
    const int index = LetterIndex(driveLetter);
    const char root[] = {driveLetter, ':', '\\', '\0'};
    if (index < 0) return GetDriveTypeA(root);
    unsigned& type = types_[static_cast<size_t>(index)];
    if (type == kNotRead) type = GetDriveTypeA(root);
    return type;
}

unsigned DriveTypeOfRoot(const std::string& root) {
    // Only a plain "X:\" root is remembered; anything else is asked as it is.
    if (t_memo != nullptr && root.size() == 3 && root[1] == ':' && root[2] == '\\') return t_memo->TypeOf(root[0]);
    return GetDriveTypeA(root.c_str());
}
