#include "registry/drive_type_cache.h"

namespace {
thread_local DriveTypeCache* t_activeCache = nullptr;

int DriveIndex(const char* root) {
    const char letter = static_cast<char>(root[0] | 0x20);
    if (letter < 'a' || letter > 'z' || root[1] != ':' || root[2] != '\\' || root[3] != '\0') return -1;
    return letter - 'a';
}
}  // namespace

DriveTypeCache::DriveTypeCache() : active_(t_activeCache == nullptr) {
    if (active_) t_activeCache = this;
}

DriveTypeCache::~DriveTypeCache() {
    if (active_) t_activeCache = nullptr;
}

UINT DriveTypeOf(const char* root) {
    const int index = DriveIndex(root);
    if (t_activeCache == nullptr || index < 0) return GetDriveTypeA(root);
    UINT& type = t_activeCache->types_[index];
    if (type == DRIVE_UNKNOWN) type = GetDriveTypeA(root);
    return type;
}
