#pragma once
// A thin base for dialogs, modal or modeless: the procedure finds the object stored at WM_INITDIALOG and
// forwards to virtual handlers; an exception stops at the procedure (base/window_boundary.h)
// and the message gets the default handling; the object is forgotten before the window's last
// message.
#include <windows.h>

#include <cstdint>
#include <vector>

class DialogBase {
public:
    DialogBase() = default;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;
    virtual ~DialogBase() = default;

    // Runs the dialog of the program's own template; returns the value given to End.
    INT_PTR RunModal(HWND owner, int templateId);
    // Runs it from a template in memory (a re-fonted copy); the data must stay alive meanwhile.
    INT_PTR RunModal(HWND owner, const std::vector<uint8_t>& templateData);

    // Creates it without a loop of its own (a modeless dialog): whoever creates it pumps its
    // messages and destroys it. False when it could not be created.
    bool CreateModeless(HWND owner, int templateId);

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

protected:
    // True to let the dialog manager set the focus.
    virtual bool OnInit() { return true; }
    // True when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // Any other message; result is what the dialog procedure returns when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
        return false;
    }
    virtual void OnDestroy() {}
    // The window moved to a monitor of another DPI; suggested is where Windows proposes it goes.
    // True when the window placed itself; false leaves the message to the dialog manager, which
    // lays out a dialog of dialog units itself.
    virtual bool OnDpiChanged(int /*dpi*/, const RECT& /*suggested*/) { return false; }

    void End(INT_PTR result) { EndDialog(window_, result); }

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static INT_PTR Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

// The module whose resources the dialogs and pictures come from.
HINSTANCE ResourceModule();
