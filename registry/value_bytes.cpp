#include "registry/value_bytes.h"

#include <windows.h>

#include <algorithm>

#include "base/system_error_text.h"
#include "base/unique_handles.h"
#include "registry/code_page_text.h"
#include "registry/registry_key.h"

namespace {
constexpr int kMaxRetries = 8;
// Most values fit; larger ones are read again at their reported size.
constexpr DWORD kFirstBuffer = 4096;
}  // namespace

ValueBytes ReadValueBytes(RootKeyValue root, const std::string& keyPath, const std::string& valueName) {
    ValueBytes result;
    UniqueHkey key;
    LONG error = RegOpenKeyExW(RootKeyHandle(root), WideChars(WideFromAnsi(keyPath)), 0, KEY_QUERY_VALUE, key.put());
    if (error != ERROR_SUCCESS) key.release();
    const std::u16string name = WideFromAnsi(valueName);
    std::vector<uint8_t> data(kFirstBuffer);
    for (int attempt = 0; error == ERROR_SUCCESS; ++attempt) {
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        error = RegQueryValueExW(key.get(), WideChars(name), nullptr, &type, data.data(), &size);
        if (error == ERROR_SUCCESS) {
            data.resize(size);
            result = {ValueBytes::Status::Found, type, std::move(data), {}};
            return result;
        }
        if (error == ERROR_MORE_DATA && attempt < kMaxRetries) {
            data.resize(std::max<size_t>(size, 2 * data.size()));
            error = ERROR_SUCCESS;
        }
    }
    if (error == ERROR_FILE_NOT_FOUND) {
        result.status = ValueBytes::Status::Gone;
    } else {
        result.error = SystemErrorText(static_cast<DWORD>(error));
    }
    return result;
}

long WriteValueBytes(RootKeyValue root, const std::string& keyPath, const std::string& valueName, uint32_t type,
                     const std::vector<uint8_t>& data) {
    UniqueHkey key;
    LONG error = RegCreateKeyExW(RootKeyHandle(root), WideChars(WideFromAnsi(keyPath)), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.put(), nullptr);
    if (error != ERROR_SUCCESS) {
        key.release();
        return error;
    }
    return RegSetValueExW(key.get(), WideChars(WideFromAnsi(valueName)), 0, type, data.data(),
                          static_cast<DWORD>(data.size()));
}
