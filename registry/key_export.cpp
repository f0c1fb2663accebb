#include "registry/key_export.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/system_error_text.h"
#include "base/unique_handles.h"
#include "registry/code_page_text.h"
#include "registry/registry_key.h"

namespace {
// A tree deeper than this is a loop of symbolic links, not data.
constexpr int kMaxDepth = 512;
constexpr int kMaxRetries = 8;

// The counts are a snapshot: enumeration stops at them, or earlier when entries went meanwhile.
struct KeyInfo {
    DWORD subKeys = 0;
    DWORD maxSubKeyName = 0;
    DWORD values = 0;
    DWORD maxValueName = 0;
    DWORD maxValueData = 0;
};

LONG QueryInfo(HKEY key, KeyInfo& info) {
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &info.subKeys, &info.maxSubKeyName, nullptr, &info.values,
                            &info.maxValueName, &info.maxValueData, nullptr, nullptr);
}

class TreeExporter {
public:
    // openTop: the key itself, already open for reading, or none to open it by its path.
    TreeExporter(RegFileDocument& document, bool holdTop, HKEY openTop)
        : document_(document), holdTop_(holdTop), openTop_(openTop) {}

    // A Windows error code; failedPath names the key it happened at.
    LONG Export(HKEY parent, const std::u16string& subKey, const std::u16string& path, int depth) {
        failedPath = path;
        failedDepth = depth;
        if (depth > kMaxDepth) return ERROR_CANTREAD;
        UniqueHkey key;
        const bool hold = holdTop_ && depth == 0;
        HKEY handle = depth == 0 ? openTop_ : nullptr;
        LONG error = ERROR_SUCCESS;
        if (!handle) {
            error = RegOpenKeyExW(parent, WideChars(subKey), 0, hold ? KEY_READ | DELETE : KEY_READ, key.put());
            if (hold && error == ERROR_ACCESS_DENIED) {
                error = RegOpenKeyExW(parent, WideChars(subKey), 0, KEY_READ, key.put());
            }
            if (error != ERROR_SUCCESS) {
                key.release();
                return error;
            }
            handle = key.get();
        }
        KeyInfo info;
        if ((error = QueryInfo(handle, info)) != ERROR_SUCCESS) return error;
        document_.keys.push_back({path, false, {}});
        const size_t index = document_.keys.size() - 1;
        std::vector<RegFileValue> values;
        if ((error = ReadValues(handle, info, values)) != ERROR_SUCCESS) return error;
        document_.keys[index].values = std::move(values);
        std::vector<std::u16string> children;
        if ((error = ReadSubKeyNames(handle, info, children)) != ERROR_SUCCESS) return error;
        for (const std::u16string& child : children) {
            // Opening by such a name reaches another key or none: the tree cannot be saved whole.
            if (child.find(u'\0') != std::u16string::npos) {
                failedPath = path;
                zeroInSubKeyName = true;
                return ERROR_INVALID_NAME;
            }
            error = Export(handle, child, path + u"\\" + child, depth + 1);
            // A sub-key removed since it was listed is no longer part of the tree.
            if (error == ERROR_FILE_NOT_FOUND) continue;
            if (error != ERROR_SUCCESS) return error;
        }
        if (hold && children.empty()) heldKey = std::move(key);
        return ERROR_SUCCESS;
    }

    std::u16string failedPath;
    int failedDepth = 0;
    bool zeroInSubKeyName = false;
    UniqueHkey heldKey;

private:
    static LONG ReadValues(HKEY key, KeyInfo& info, std::vector<RegFileValue>& values) {
        std::u16string name;
        std::vector<uint8_t> data;
        int retries = 0;
        for (DWORD index = 0; index < info.values;) {
            name.resize(info.maxValueName + 1);
            data.resize(info.maxValueData + 1);
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD dataLength = static_cast<DWORD>(data.size());
            DWORD type = 0;
            const LONG error = RegEnumValueW(key, index, reinterpret_cast<wchar_t*>(name.data()), &nameLength, nullptr,
                                             &type, data.data(), &dataLength);
            if (error == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
            if (error == ERROR_MORE_DATA && ++retries <= kMaxRetries) {
                // The value grew since the key was measured.
                const LONG requery = QueryInfo(key, info);
                if (requery != ERROR_SUCCESS) return requery;
                info.maxValueName = std::max(info.maxValueName, 2 * static_cast<DWORD>(name.size()));
                info.maxValueData = std::max({info.maxValueData, dataLength, 2 * static_cast<DWORD>(data.size())});
                continue;
            }
            if (error != ERROR_SUCCESS) return error;
            name.resize(nameLength);
            data.resize(dataLength);
            values.push_back({name, type, std::move(data), false});
            retries = 0;
            ++index;
        }
        return ERROR_SUCCESS;
    }

    static LONG ReadSubKeyNames(HKEY key, KeyInfo& info, std::vector<std::u16string>& names) {
        std::u16string name;
        int retries = 0;
        for (DWORD index = 0; index < info.subKeys;) {
            name.resize(info.maxSubKeyName + 1);
            DWORD length = static_cast<DWORD>(name.size());
            const LONG error = RegEnumKeyExW(key, index, reinterpret_cast<wchar_t*>(name.data()), &length, nullptr,
                                             nullptr, nullptr, nullptr);
            if (error == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
            if (error == ERROR_MORE_DATA && ++retries <= kMaxRetries) {
                const LONG requery = QueryInfo(key, info);
                if (requery != ERROR_SUCCESS) return requery;
                info.maxSubKeyName = std::max({info.maxSubKeyName, 2 * static_cast<DWORD>(name.size()), DWORD{256}});
                continue;
            }
            if (error != ERROR_SUCCESS) return error;
            name.resize(length);
            names.push_back(name);
            retries = 0;
            ++index;
        }
        return ERROR_SUCCESS;
    }

    RegFileDocument& document_;
    bool holdTop_;
    HKEY openTop_;
};
}  // namespace

std::u16string RegFileRootName(RootKeyValue root) {
    switch (root) {
        case kClassesRoot: return u"HKEY_CLASSES_ROOT";
        case kCurrentUser: return u"HKEY_CURRENT_USER";
        case kLocalMachine: return u"HKEY_LOCAL_MACHINE";
        case kUsers: return u"HKEY_USERS";
        case kCurrentConfig: return u"HKEY_CURRENT_CONFIG";
        default: return {};
    }
}

namespace {
KeyExport Exported(RootKeyValue root, const std::string& keyPath, bool holdForDeletion, HKEY openKey) {
    KeyExport result;
    const std::u16string rootName = RegFileRootName(root);
    if (rootName.empty()) {
        result.error = "the key has no registry root a registry editor file can name";
        return result;
    }
    const std::u16string subKey = WideFromAnsi(keyPath);
    TreeExporter exporter(result.document, holdForDeletion, openKey);
    const LONG error =
        exporter.Export(RootKeyHandle(root), subKey, subKey.empty() ? rootName : rootName + u"\\" + subKey, 0);
    if (error == ERROR_SUCCESS) {
        result.status = KeyExport::Status::Saved;
        result.heldKey = std::move(exporter.heldKey);
    } else if (error == ERROR_FILE_NOT_FOUND && exporter.failedDepth == 0) {
        result.status = KeyExport::Status::Gone;
        result.document = {};
    } else {
        result.document = {};
        result.errorCode = error;
        result.error = "cannot read " + AnsiFromWide(exporter.failedPath) +
                       (exporter.zeroInSubKeyName ? std::string(": a sub-key name holds a zero character")
                                                  : " (" + SystemErrorText(error) + ")");
    }
    return result;
}
}  // namespace

KeyExport ExportKey(RootKeyValue root, const std::string& keyPath, bool holdForDeletion) {
    return Exported(root, keyPath, holdForDeletion, nullptr);
}

KeyExport ExportOpenKey(HKEY key, RootKeyValue root, const std::string& keyPath) {
    return Exported(root, keyPath, false, key);
}
