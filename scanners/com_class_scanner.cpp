#include "scanners/com_class_scanner.h"

#include <array>
#include <cstring>

#include "base/text_format.h"
#include "engine/section_table.h"
#include "registry/com_registration.h"
#include "registry/file_reference.h"
#include "registry/registry_lookup.h"
#include "registry/view_keys.h"
#include "scanners/list_paths.h"
#include "scanners/scan_key.h"

namespace {
constexpr const char* kClassesKey = "CLSID";

// A 16-bit in-process server is loaded by the 32-bit side of Windows, and its file lies where
// 32-bit programs find theirs, whichever view registers it.
enum class Judged { File, SixteenBitFile, ProgId, TypeLib };

// The registration sub-keys of a class, in the order they are judged.
constexpr struct {
    const char* name;
    Judged as;
} kRegistrationKeys[] = {
    {"InprocServer32", Judged::File}, {"InprocServer", Judged::SixteenBitFile},     {"InprocHandler32", Judged::File},
    {"LocalServer32", Judged::File},  {"VersionIndependentProgId", Judged::ProgId}, {"TypeLib", Judged::TypeLib},
};
constexpr size_t kRegistrationCount = std::size(kRegistrationKeys);

// Which registration sub-keys a class has. Most classes have one or two of the six: listing the
// class key's few sub-keys costs less than trying to open all six. Where the list cannot be
// read, or is longer than trying all six would be, every one is tried.
struct Registrations {
    UniqueHkey classKey;
    std::array<bool, kRegistrationCount> present;

    Registrations(HKEY classes, const std::string& classId) {
        present.fill(true);
        if (RegOpenKeyExA(classes, classId.c_str(), 0, KEY_READ, classKey.put()) != ERROR_SUCCESS) {
            classKey.release();
            return;
        }
        DWORD count = 0;
        if (RegQueryInfoKeyA(classKey.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            count > kRegistrationCount) {
            classKey.reset();
            return;
        }
        present.fill(false);
        char name[256];
        for (DWORD index = 0; index < count; ++index) {
            DWORD length = sizeof(name);
            if (RegEnumKeyExA(classKey.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS) {
                // A name that cannot be listed might be one of the six.
                present.fill(true);
                return;
            }
            for (size_t i = 0; i < kRegistrationCount; ++i) {
                if (lstrcmpiA(name, kRegistrationKeys[i].name) == 0) present[i] = true;
            }
        }
    }
};

struct ClassScan {
    ScanEngine& engine;
    HKEY classes;
    const ViewKey& list;  // "CLSID", or the 32-bit programs' "Wow6432Node\CLSID"

    void Report(const std::string& keyPath, const std::string& data, const std::string& description) const {
        ReportRegistryProblem(
            engine, {kComSection, kClassesRoot, keyPath, std::string(), data, RemovalScope::Key, description});
    }

    // The registration's default value, whatever its type; false when its key cannot be opened
    // with full access or the value is missing or does not fit.
    static bool ReadDefault(HKEY parent, const std::string& relativePath, std::string& text) {
        const ScanKey key(parent, relativePath);
        return key.IsOpen() && ReadValueText(key.Get(), "", kDefaultValueCapacity, text);
    }

    void JudgeFile(const std::string& keyPath, const std::string& file, RegistryView view) const {
        if (!FileReferenceExists(file, view)) Report(keyPath, file, MissingFileDescription(file));
    }

    void JudgeProgId(const std::string& keyPath, const std::string& progId) const {
        if (progId.find(":\\") != std::string::npos) return JudgeFile(keyPath, progId, list.view);
        // A class whose program id key carries shell extensions is still in use.
        if (!ProgIdIsValid(progId, list.view) && !RegKeyExists(HKEY_CLASSES_ROOT, keyPath + "\\ShellEx")) {
            Report(keyPath, progId, Format("The ProgramID (%s) is Invalid.", progId.c_str()));
        }
    }

    void JudgeClass(const std::string& classId) const {
        const Registrations registrations(classes, classId);
        std::string value;
        for (size_t i = 0; i < kRegistrationCount; ++i) {
            if (!registrations.present[i]) continue;
            const char* subKey = kRegistrationKeys[i].name;
            const bool read = registrations.classKey ? ReadDefault(registrations.classKey.get(), subKey, value)
                                                     : ReadDefault(classes, classId + "\\" + subKey, value);
            if (!read) continue;
            const std::string keyPath = list.path + "\\" + classId + "\\" + subKey;
            if (kRegistrationKeys[i].as == Judged::TypeLib) {
                if (!value.empty() && !TypeLibExists(value)) {
                    Report(keyPath, value, Format("The TypeLib (%s) is Invalid.", value.c_str()));
                }
            } else if (ExpandEnvironmentInPlace(value, list.view)) {
                // An expansion beyond the buffers cannot be judged.
                switch (kRegistrationKeys[i].as) {
                    case Judged::File: JudgeFile(keyPath, value, list.view); break;
                    case Judged::SixteenBitFile: JudgeFile(keyPath, value, RegistryView::Bits32); break;
                    default: JudgeProgId(keyPath, value); break;
                }
            }
            engine.ShowItem("HKEY_CLASSES_ROOT\\" + keyPath);
            engine.Pump();
        }
    }
};
}  // namespace

bool ScanComClasses(ScanEngine& engine) {
    for (const ViewKey& view : KeyInBothViews(HKEY_CLASSES_ROOT, kClassesKey)) {
        const ScanKey classes = OpenStartingKey(engine, kComSection, HKEY_CLASSES_ROOT, view.path);
        if (!classes.IsOpen()) continue;
        const DWORD count = classes.SubKeyCount();
        const ClassScan scan{engine, classes.Get(), view};
        std::string classId;
        for (DWORD index = 0; index < count && engine.Running(); ++index) {
            if (classes.SubKeyName(index, classId)) scan.JudgeClass(classId);
        }
        if (!engine.Running()) break;
    }
    return engine.Running();
}
