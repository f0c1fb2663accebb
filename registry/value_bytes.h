#pragma once
// One registry value as the registry holds it: its type and its exact bytes, read and written
// through the UTF-16 functions, which pass string data through untouched.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/unique_handles.h"
#include "registry/root_keys.h"

struct ValueBytes {
    enum class Status { Found, Gone, Failed };
    Status status = Status::Failed;
    uint32_t type = 0;
    std::vector<uint8_t> data;
    std::string error;  // when Failed
    // The value's key, still open with the right to change it, when the reader was asked to hold
    // keys; shared by the values of one key.
    std::shared_ptr<const UniqueHkey> heldKey;
};

// Reads values one after the other, keeping the last key open: values of one key, as a scan
// finds them, need one open between them.
class ValueBytesReader {
public:
    explicit ValueBytesReader(bool holdForDeletion = false) : holdForDeletion_(holdForDeletion) {}

    // Gone when the key or the value does not exist. Names are in the program's code page.
    ValueBytes Read(RootKeyValue root, const std::string& keyPath, const std::string& valueName);
    // Closes the key kept open.
    void Close();

private:
    bool holdForDeletion_;
    std::shared_ptr<UniqueHkey> key_;
    RootKeyValue root_ = 0;
    std::string keyPath_;
    long openError_ = 0;
};

// The value's type and exact bytes read through an open key; a Windows error code (0 = success).
long QueryValueBytes(HKEY key, const std::u16string& valueName, uint32_t& type, std::vector<uint8_t>& data);

// Creates the key when it is missing; a Windows error code (0 = success).
long WriteValueBytes(RootKeyValue root, const std::string& keyPath, const std::string& valueName, uint32_t type,
                     const std::vector<uint8_t>& data);
