#include "registry/key_import.h"

#include <windows.h>

#include "base/system_error_text.h"
#include "base/unique_handles.h"
#include "registry/code_page_text.h"
#include "registry/key_export.h"
#include "registry/reg_file_reader.h"
#include "registry/registry_key.h"

namespace {
HKEY RootHandleNamed(std::u16string_view name) {
    for (RootKeyValue root : {kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kCurrentConfig}) {
        if (RegFileRootName(root) == name) return RootKeyHandle(root);
    }
    return nullptr;
}

// Writes one key's values; a Windows error code of the first failure.
LONG WriteKey(const RegFileKey& key) {
    const size_t slash = key.path.find(u'\\');
    const HKEY root = RootHandleNamed(std::u16string_view(key.path).substr(0, slash));
    if (!root) return ERROR_INVALID_PARAMETER;
    const std::u16string subKey = slash == std::u16string::npos ? std::u16string() : key.path.substr(slash + 1);
    UniqueHkey opened;
    LONG error = RegCreateKeyExW(root, WideChars(subKey), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr, opened.put(), nullptr);
    if (error != ERROR_SUCCESS) {
        opened.release();
        return error;
    }
    LONG first = ERROR_SUCCESS;
    for (const RegFileValue& value : key.values) {
        error = RegSetValueExW(opened.get(), WideChars(value.name), 0, value.type, value.data.data(),
                               static_cast<DWORD>(value.data.size()));
        if (first == ERROR_SUCCESS) first = error;
    }
    return first;
}
}  // namespace

RegImport ApplyRegFile(const RegFileDocument& document) {
    if (document.AsksToDelete()) return {false, "the file asks to delete registry keys or values"};
    RegImport result{true, {}};
    for (const RegFileKey& key : document.keys) {
        const LONG error = WriteKey(key);
        if (error == ERROR_SUCCESS || !result.ok) continue;
        result = {false, "cannot write " + AnsiFromWide(key.path) + " (" + SystemErrorText(error) + ")"};
    }
    return result;
}

RegImport ImportRegFile(std::string_view bytes) {
    const RegFileParse parsed = ParseRegFile(bytes, WideFromAnsi);
    if (!parsed.document) {
        return {false, "the registry file does not parse: line " + std::to_string(parsed.line) + ": " + parsed.error};
    }
    return ApplyRegFile(*parsed.document);
}
