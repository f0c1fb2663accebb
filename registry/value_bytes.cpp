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

ValueBytes ValueBytesReader::Read(RootKeyValue root, const std::string& keyPath, const std::string& valueName) {
    if (!key_ || !*key_ || root != root_ || keyPath != keyPath_) {
        key_ = std::make_shared<UniqueHkey>();
        root_ = root;
        keyPath_ = keyPath;
        const std::u16string path = WideFromAnsi(keyPath);
        const REGSAM access = holdForDeletion_ ? KEY_QUERY_VALUE | KEY_SET_VALUE : KEY_QUERY_VALUE;
        openError_ = RegOpenKeyExW(RootKeyHandle(root), WideChars(path), 0, access, key_->put());
        if (holdForDeletion_ && openError_ == ERROR_ACCESS_DENIED) {
            openError_ = RegOpenKeyExW(RootKeyHandle(root), WideChars(path), 0, KEY_QUERY_VALUE, key_->put());
        }
        if (openError_ != ERROR_SUCCESS) key_->release();
    }
    ValueBytes result;
    LONG error = openError_;
    const std::u16string name = WideFromAnsi(valueName);
    std::vector<uint8_t> data(kFirstBuffer);
    for (int attempt = 0; error == ERROR_SUCCESS; ++attempt) {
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        error = RegQueryValueExW(key_->get(), WideChars(name), nullptr, &type, data.data(), &size);
        if (error == ERROR_SUCCESS) {
            data.resize(size);
            result = {ValueBytes::Status::Found, type, std::move(data), {}, holdForDeletion_ ? key_ : nullptr};
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

void ValueBytesReader::Close() {
    key_.reset();
    keyPath_.clear();
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
