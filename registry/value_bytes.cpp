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
    if (error == ERROR_SUCCESS) error = QueryValueBytes(key_->get(), WideFromAnsi(valueName), result.type, result.data);
    if (error == ERROR_SUCCESS) {
        result.status = ValueBytes::Status::Found;
        if (holdForDeletion_) result.heldKey = key_;
    } else if (error == ERROR_FILE_NOT_FOUND) {
        result.status = ValueBytes::Status::Gone;
    } else {
        result.error = SystemErrorText(static_cast<DWORD>(error));
    }
    return result;
}

long QueryValueBytes(HKEY key, const std::u16string& valueName, uint32_t& type, std::vector<uint8_t>& data) {
    data.resize(kFirstBuffer);
    for (int attempt = 0;; ++attempt) {
        DWORD size = static_cast<DWORD>(data.size());
        DWORD valueType = 0;
        const LONG error = RegQueryValueExW(key, WideChars(valueName), nullptr, &valueType, data.data(), &size);
        if (error == ERROR_SUCCESS) {
            data.resize(size);
            // A removal keeps what it read of every value until the value's deletion: the first
            // buffer's spare room would be kept with it, 4 KB a value.
            data.shrink_to_fit();
            type = valueType;
            return error;
        }
        if (error != ERROR_MORE_DATA || attempt >= kMaxRetries) {
            data.clear();
            return error;
        }
        data.resize(std::max<size_t>(size, 2 * data.size()));
    }
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
