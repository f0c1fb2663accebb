#pragma once
// One registry value as the registry holds it: its type and its exact bytes, read and written
// through the UTF-16 functions, which pass string data through untouched.
#include <cstdint>
#include <string>
#include <vector>

#include "registry/root_keys.h"

struct ValueBytes {
    enum class Status { Found, Gone, Failed };
    Status status = Status::Failed;
    uint32_t type = 0;
    std::vector<uint8_t> data;
    std::string error;  // when Failed
};

// Gone when the key or the value does not exist. Names are in the program's code page.
ValueBytes ReadValueBytes(RootKeyValue root, const std::string& keyPath, const std::string& valueName);

// Creates the key when it is missing; a Windows error code (0 = success).
long WriteValueBytes(RootKeyValue root, const std::string& keyPath, const std::string& valueName, uint32_t type,
                     const std::vector<uint8_t>& data);
