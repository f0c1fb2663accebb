#pragma once
// Sends, for one scope, the calls that this program's own code makes to one imported function to
// a replacement, by rewriting its slot in the executable's import address table (calls made inside
// Windows' libraries are not seen).
#include <windows.h>

#include <cstring>

class ImportHook {
public:
    ImportHook(const char* library, const char* function, const void* replacement) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const auto* headers =
            reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const DWORD imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports); entry->Name && !slot_; ++entry) {
            if (lstrcmpiA(reinterpret_cast<char*>(base + entry->Name), library) != 0) continue;
            auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
            for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk); name->u1.AddressOfData;
                 ++name, ++slot) {
                const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData);
                if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) || std::strcmp(byName->Name, function) != 0) continue;
                slot_ = &slot->u1.Function;
                original_ = *slot_;
                Write(reinterpret_cast<ULONG_PTR>(replacement));
                break;
            }
        }
    }
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    ~ImportHook() {
        if (slot_) Write(original_);
    }
    explicit operator bool() const { return slot_ != nullptr; }
    template <typename Function>
    Function Original() const {
        return reinterpret_cast<Function>(original_);
    }

private:
    void Write(ULONG_PTR value) {
        DWORD protection = 0;
        VirtualProtect(slot_, sizeof(*slot_), PAGE_READWRITE, &protection);
        *slot_ = value;
        VirtualProtect(slot_, sizeof(*slot_), protection, &protection);
    }

    decltype(IMAGE_THUNK_DATA::u1.Function)* slot_ = nullptr;
    ULONG_PTR original_ = 0;
};
