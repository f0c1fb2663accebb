#pragma once
// Drives a modal dialog from inside its own message loop: the steps run from a thread timer
// once the loop runs, and message boxes are answered and recorded instead of shown.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/message_box.h"

// The result a dialog ends with when the steps left it open.
inline constexpr INT_PTR kLeftOpen = 99;

class DialogSteps {
public:
    // Runs steps as soon as the current thread's message loop dispatches a timer.
    static void Schedule(std::function<void()> steps) {
        Pending() = std::move(steps);
        SetTimer(nullptr, 0, 1, &DialogSteps::OnTimer);
    }

private:
    static std::function<void()>& Pending() {
        static std::function<void()> pending;
        return pending;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        std::function<void()> steps = std::move(Pending());
        Pending() = nullptr;
        if (steps) steps();
    }
};

// Handles what the modal loop would: keyboard translation by the dialog, then dispatch.
inline void PumpLikeDialog(HWND dialog) {
    MSG message;
    for (int i = 0; i < 200 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

inline void PressKey(HWND dialog, UINT key) {
    HWND focus = GetFocus();
    HWND target = focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 0);
    PostMessageA(target, WM_KEYUP, key, 0);
    PumpLikeDialog(dialog);
}

// Alt with a letter, as the dialog manager sees it: the mnemonic's character.
inline void PressAlt(HWND dialog, char letter) {
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : dialog, WM_SYSCHAR, static_cast<WPARAM>(letter), 1 << 29);
    PumpLikeDialog(dialog);
}

// Shift+F10, the keyboard's way to a context menu: Shift is held in the thread's key state.
inline void PressShiftF10(HWND dialog) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    HWND focus = GetFocus();
    PostMessageA(focus ? focus : dialog, WM_SYSKEYDOWN, VK_F10, 0);
    PostMessageA(focus ? focus : dialog, WM_SYSKEYUP, VK_F10, 0xC0000001);
    PumpLikeDialog(dialog);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// Moves the focus with Tab until it reaches the control; false when it never does.
inline bool TabTo(HWND dialog, int id) {
    for (int presses = 0; presses < 40; ++presses) {
        if (GetFocus() == GetDlgItem(dialog, id)) return true;
        PressKey(dialog, VK_TAB);
    }
    return GetFocus() == GetDlgItem(dialog, id);
}

inline void Click(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline std::string ItemText(HWND dialog, int id) {
    char text[512] = {};
    GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

inline std::string ListText(HWND list, int row, int column = 0) {
    std::vector<char> text(8192, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text.data();
}

// Records every message box and answers it with OK.
class MessageBoxRecorder {
public:
    MessageBoxRecorder() {
        SetMessageBoxHandler([this](HWND, const std::string& text, const std::string& caption, UINT type) {
            texts.push_back(text);
            captions.push_back(caption);
            types.push_back(type);
            if (onMessage) onMessage(text);
            return IDOK;
        });
    }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
    ~MessageBoxRecorder() { SetMessageBoxHandler(nullptr); }

    std::vector<std::string> texts;
    std::vector<std::string> captions;
    std::vector<UINT> types;
    std::function<void(const std::string&)> onMessage;
};

// The top-level window of this thread with the given title, other than except.
inline HWND ThreadWindowTitled(const char* title, HWND except = nullptr) {
    struct Search {
        const char* title;
        HWND except;
        HWND found;
    } search{title, except, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            char text[256] = {};
            GetWindowTextA(window, text, sizeof(text));
            if (window != s->except && std::string(text) == s->title) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
