#include "registry/value_text.h"

#include <vector>

bool ReadValueText(HKEY root, const std::string& keyPath, const char* valueName, std::string& text) {
    // REG_EXPAND_SZ values pass as REG_SZ once expanded (naming that type would need RRF_NOEXPAND).
    constexpr DWORD kTypes = RRF_RT_REG_SZ;
    DWORD size = 0;
    LONG result = RegGetValueA(root, keyPath.c_str(), valueName, kTypes, nullptr, nullptr, &size);
    // The value may grow between the two calls; a few rounds settle it.
    for (int round = 0; round < 4 && result == ERROR_SUCCESS; ++round) {
        std::vector<char> buffer(size + 1, '\0');
        DWORD filled = size;
        result = RegGetValueA(root, keyPath.c_str(), valueName, kTypes, nullptr, buffer.data(), &filled);
        if (result == ERROR_SUCCESS) {
            text.assign(buffer.data());
            return true;
        }
        if (result == ERROR_MORE_DATA) {
            size = filled;
            result = ERROR_SUCCESS;
        }
    }
    return false;
}
