#pragma once
// A Windows function looked up at run time, for functions that older Windows versions lack.
#include <windows.h>

template <typename Function>
Function FindFunction(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
