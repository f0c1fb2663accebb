#include "registry/com_registration.h"

#include <windows.h>
#include <objbase.h>

#include <vector>

#include "registry/file_reference.h"
#include "registry/reference_text.h"
#include "registry/registry_lookup.h"
#include "base/unique_handles.h"

namespace {
LONG OpenClassesRootKey(const std::string& path) {
    UniqueHkey key;
    return RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_ALL_ACCESS, key.put());
}

bool ClsidFromProgIdSucceeds(const std::string& progId) {
    const int length = MultiByteToWideChar(CP_ACP, 0, progId.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    if (MultiByteToWideChar(CP_ACP, 0, progId.c_str(), -1, wide.data(), length) <= 0) return false;
    CLSID classId;
    return SUCCEEDED(CLSIDFromProgID(wide.data(), &classId));
}

// Any answer but "not found", access denied included, counts as registered.
bool MayBeRegistered(const std::string& path) { return OpenClassesRootKey(path) != ERROR_FILE_NOT_FOUND; }
}  // namespace

bool ClassIdExists(const std::string& classId) {
    if (classId.empty()) return false;
    const std::string braced = classId.front() == '{' ? classId : "{" + classId + "}";
    return RegKeyExists(HKEY_CLASSES_ROOT, "CLSID\\" + braced) ||
           RegKeyExists(HKEY_CLASSES_ROOT, "Wow6432Node\\CLSID\\" + braced);
}

bool TypeLibExists(const std::string& typeLibId) { return RegKeyExists(HKEY_CLASSES_ROOT, "TypeLib\\" + typeLibId); }

bool ProgIdIsValid(const std::string& progId, RegistryView view) {
    if (progId.empty()) return false;
    if (progId.find("rundll32") != std::string::npos) return true;
    if (ClsidFromProgIdSucceeds(progId)) return true;
    if (MayBeRegistered(progId)) return true;
    const std::string stripped = StripVersionDigits(progId);
    if (MayBeRegistered(stripped)) return true;
    return FileReferenceExists(stripped, view);
}
