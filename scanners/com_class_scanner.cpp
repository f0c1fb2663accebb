#include "scanners/com_class_scanner.h"

#include "base/text_format.h"
#include "engine/wow64.h"
#include "registry/com_registration.h"
#include "registry/file_reference.h"
#include "registry/registry_lookup.h"
#include "scanners/list_paths.h"
#include "scanners/scan_key.h"

namespace {
constexpr SectionId kComSection = 11;
constexpr const char* kClassesKey = "CLSID";
constexpr DWORD kDefaultValueCapacity = 255;

enum class Judged { File, ProgId, TypeLib };

// The registration sub-keys of a class, in the order they are judged.
constexpr struct {
    const char* name;
    Judged as;
} kRegistrationKeys[] = {
    {"InprocServer32", Judged::File},           {"InprocServer", Judged::File},
    {"InprocHandler32", Judged::File},          {"LocalServer32", Judged::File},
    {"VersionIndependentProgId", Judged::ProgId}, {"TypeLib", Judged::TypeLib},
};

struct ClassScan {
    ScanEngine& engine;
    HKEY classes;
    bool wow64;

    void Report(const std::string& keyPath, const std::string& data, const std::string& description) const {
        ReportRegistryProblem(engine,
                              {kComSection, kClassesRoot, keyPath, std::string(), data, false, description});
    }

    // The registration's default value, whatever its type; false when its key cannot be opened
    // with full access or the value is missing or does not fit.
    bool ReadDefault(const std::string& relativePath, std::string& text) const {
        const ScanKey key(classes, relativePath);
        return key.IsOpen() && ReadValueText(key.Get(), "", kDefaultValueCapacity, text);
    }

    void JudgeFile(const std::string& keyPath, const std::string& file) const {
        if (!FileReferenceExists(file, wow64)) Report(keyPath, file, MissingFileDescription(file));
    }

    void JudgeProgId(const std::string& keyPath, const std::string& progId) const {
        if (progId.find(":\\") != std::string::npos) return JudgeFile(keyPath, progId);
        // A class whose program id key carries shell extensions is still in use.
        if (!ProgIdIsValid(progId, wow64) && !RegKeyExists(HKEY_CLASSES_ROOT, keyPath + "\\ShellEx")) {
            Report(keyPath, progId, Format("The ProgramID (%s) is Invalid.", progId.c_str()));
        }
    }

    void JudgeClass(const std::string& classId) const {
        std::string value;
        for (const auto& registration : kRegistrationKeys) {
            const std::string relativePath = classId + "\\" + registration.name;
            if (!ReadDefault(relativePath, value)) continue;
            const std::string keyPath = std::string(kClassesKey) + "\\" + relativePath;
            if (registration.as == Judged::TypeLib) {
                if (!value.empty() && !TypeLibExists(value)) {
                    Report(keyPath, value, Format("The TypeLib (%s) is Invalid.", value.c_str()));
                }
            } else if (ExpandEnvironmentInPlace(value)) {
                // An expansion beyond the buffers cannot be judged.
                if (registration.as == Judged::File) {
                    JudgeFile(keyPath, value);
                } else {
                    JudgeProgId(keyPath, value);
                }
            }
            engine.ShowItem("HKEY_CLASSES_ROOT\\" + keyPath);
            engine.Pump();
        }
    }
};
}  // namespace

bool ScanComClasses(ScanEngine& engine) {
    const ScanKey classes = OpenStartingKey(engine, kComSection, HKEY_CLASSES_ROOT, kClassesKey);
    if (!classes.IsOpen()) return engine.Running();
    const DWORD count = classes.SubKeyCount();
    const ClassScan scan{engine, classes.Get(), IsWow64()};
    std::string classId;
    for (DWORD index = 0; index < count && engine.Running(); ++index) {
        if (classes.SubKeyName(index, classId)) scan.JudgeClass(classId);
    }
    return engine.Running();
}
