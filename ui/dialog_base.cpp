#include "ui/dialog_base.h"

#include "base/window_boundary.h"

HINSTANCE ResourceModule() { return GetModuleHandleA(nullptr); }

INT_PTR DialogBase::RunModal(HWND owner, int templateId) {
    return DialogBoxParamA(ResourceModule(), MAKEINTRESOURCEA(templateId), owner, &DialogBase::Procedure,
                           reinterpret_cast<LPARAM>(this));
}

bool DialogBase::CreateModeless(HWND owner, int templateId) {
    return CreateDialogParamA(ResourceModule(), MAKEINTRESOURCEA(templateId), owner, &DialogBase::Procedure,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR DialogBase::RunModal(HWND owner, const std::vector<uint8_t>& templateData) {
    if (templateData.empty()) return -1;
    return DialogBoxIndirectParamA(ResourceModule(), reinterpret_cast<const DLGTEMPLATE*>(templateData.data()), owner,
                                   &DialogBase::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return AtBoundary([&]() -> INT_PTR { return Route(window, message, wParam, lParam); },
                      [] { return INT_PTR{FALSE}; });
}

INT_PTR DialogBase::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<DialogBase*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->window_ = window;
        return dialog->OnInit() ? TRUE : FALSE;
    }
    auto* dialog = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr) return FALSE;  // before WM_INITDIALOG, or after WM_NCDESTROY
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        dialog->window_ = nullptr;
        return FALSE;
    }
    return dialog->Dispatch(message, wParam, lParam);
}

INT_PTR DialogBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return FALSE;
            SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_DESTROY: OnDestroy(); return FALSE;
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            return suggested && OnDpiChanged(HIWORD(wParam), *suggested) ? TRUE : FALSE;
        }
        default: {
            INT_PTR result = FALSE;
            return OnMessage(message, wParam, lParam, result) ? result : FALSE;
        }
    }
}
