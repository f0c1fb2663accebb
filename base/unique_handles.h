#pragma once
// Single owners for Windows handles: movable, not copyable, closed on destruction.
#include <windows.h>

#include <cstdint>
#include <utility>

template <typename Handle, auto Close, auto EmptyValue>
class UniqueAny {
public:
    UniqueAny() = default;
    explicit UniqueAny(Handle handle) : handle_(handle) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : handle_(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueAny() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty(); }

    // Closes the held handle (keeping the caller's last error) and takes a new one.
    void reset(Handle handle = Empty()) {
        if (handle_ != Empty()) {
            const DWORD lastError = GetLastError();
            Close(handle_);
            SetLastError(lastError);
        }
        handle_ = handle;
    }
    Handle release() { return std::exchange(handle_, Empty()); }
    // For out-parameters: empties the owner first, then exposes the slot.
    Handle* put() {
        reset();
        return &handle_;
    }

private:
    static Handle Empty() { return reinterpret_cast<Handle>(static_cast<intptr_t>(EmptyValue)); }
    Handle handle_ = Empty();
};

namespace handle_detail {
inline void CloseKey(HKEY key) { RegCloseKey(key); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void CloseFind(HANDLE handle) { FindClose(handle); }
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void ReleaseModule(HMODULE module) { FreeLibrary(module); }
inline void FreeHeapBlock(void* block) { HeapFree(GetProcessHeap(), 0, block); }
inline void FreeGlobal(HGLOBAL block) { GlobalFree(block); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DestroyCursorHandle(HCURSOR cursor) { DestroyCursor(cursor); }
inline void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
inline void UnmapView(void* view) { UnmapViewOfFile(view); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
}  // namespace handle_detail

using UniqueHkey = UniqueAny<HKEY, handle_detail::CloseKey, 0>;
using UniqueHandle = UniqueAny<HANDLE, handle_detail::CloseKernelHandle, -1>;
using UniqueKernelObject = UniqueAny<HANDLE, handle_detail::CloseKernelHandle, 0>;  // events, threads, mappings
using UniqueFindHandle = UniqueAny<HANDLE, handle_detail::CloseFind, -1>;
using UniqueFont = UniqueAny<HFONT, handle_detail::DeleteGdiObject, 0>;
using UniqueBitmap = UniqueAny<HBITMAP, handle_detail::DeleteGdiObject, 0>;
using UniqueBrush = UniqueAny<HBRUSH, handle_detail::DeleteGdiObject, 0>;
using UniquePen = UniqueAny<HPEN, handle_detail::DeleteGdiObject, 0>;
using UniqueMemoryDc = UniqueAny<HDC, handle_detail::DeleteMemoryDc, 0>;
using UniqueModule = UniqueAny<HMODULE, handle_detail::ReleaseModule, 0>;
using UniqueHeapBlock = UniqueAny<void*, handle_detail::FreeHeapBlock, 0>;
using UniqueGlobal = UniqueAny<HGLOBAL, handle_detail::FreeGlobal, 0>;
using UniqueIcon = UniqueAny<HICON, handle_detail::DestroyIconHandle, 0>;
using UniqueCursor = UniqueAny<HCURSOR, handle_detail::DestroyCursorHandle, 0>;
using UniqueWindow = UniqueAny<HWND, handle_detail::DestroyWindowHandle, 0>;
using UniqueMappedView = UniqueAny<void*, handle_detail::UnmapView, 0>;
using UniqueMenu = UniqueAny<HMENU, handle_detail::DestroyMenuHandle, 0>;

// A COM interface pointer with one reference.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ~ComPtr() { reset(); }
    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void reset() {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    Interface** put() {
        reset();
        return &pointer_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

private:
    Interface* pointer_ = nullptr;
};
