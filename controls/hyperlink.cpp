#include "controls/hyperlink.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "base/device_context.h"
#include "base/window_boundary.h"
#include "controls/hyperlink_texts.h"
#include "controls/link_target.h"
#include "controls/repaint_behind.h"

namespace {
constexpr UINT_PTR kLinkSubclassId = 0x484C;
constexpr UINT_PTR kParentSubclassId = 0x484D;
constexpr UINT_PTR kHoverTimer = 100;
constexpr UINT kHoverPeriod = 100;
constexpr UINT_PTR kToolId = 1;
constexpr int kHandCursorId = 106;
constexpr int kFocusMargin = 2;

bool IsActivationKey(WPARAM key) { return key == VK_RETURN || key == VK_SPACE; }

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    return text.data();
}

// The links of each parent window. All links of a parent share one subclass of it: every layer of
// subclassing costs each message to the parent a walk through the subclass chain, which under
// Wine takes two round trips to the server, and a dialog gets many messages during a scan.
struct LinkParents {
    std::mutex lock;
    std::map<HWND, std::vector<HyperLink*>> links;
};

LinkParents& Parents() {
    static LinkParents parents;
    return parents;
}

std::string ApplicationName() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}
}  // namespace

HyperLink::~HyperLink() {
    if (link_ && IsWindow(link_)) KillTimer(link_, kHoverTimer);
    Detach();
}

void HyperLink::Detach() {
    if (link_) RemoveWindowSubclass(link_, &HyperLink::LinkProcedure, kLinkSubclassId);
    if (parent_) LeaveParent();
    if (toolTip_ && !IsWindow(toolTip_.get())) toolTip_.release();
    toolTip_.reset();
    link_ = nullptr;
    parent_ = nullptr;
}

void HyperLink::Attach(HWND label) {
    link_ = label;
    parent_ = GetParent(label);
    // Reachable with Tab; Enter and Space then act as a click.
    SetWindowLongPtrA(link_, GWL_STYLE, GetWindowLongPtrA(link_, GWL_STYLE) | SS_NOTIFY | WS_TABSTOP);
    if (target_.empty()) target_ = WindowText(link_);
    if (WindowText(link_).empty()) SetWindowTextA(link_, target_.c_str());

    MakeFonts(reinterpret_cast<HFONT>(SendMessageA(link_, WM_GETFONT, 0, 0)));

    SetWindowSubclass(link_, &HyperLink::LinkProcedure, kLinkSubclassId, reinterpret_cast<DWORD_PTR>(this));
    if (parent_) JoinParent();
    // The focus margin takes effect now, before the window is fitted to its text (which keeps
    // the edge its alignment names, where snapping would keep the top-left corner).
    snapping_ = true;
    const UINT keepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(link_, nullptr, 0, 0, 0, 0, keepPlace | SWP_FRAMECHANGED);
    snapping_ = false;
    UseFont(underlineMode_ == 1);
    FitToText();
    LoadDefaultCursor();
    CreateToolTip();
}

void HyperLink::MakeFonts(HFONT font) {
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!font) font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    LOGFONTA description{};
    GetObjectA(font, sizeof(description), &description);
    description.lfUnderline = FALSE;
    UniqueFont normal(CreateFontIndirectA(&description));
    description.lfUnderline = TRUE;
    UniqueFont underlined(CreateFontIndirectA(&description));
    // The control lets go of the fonts it has before they are deleted.
    if (link_ && normal) SendMessageA(link_, WM_SETFONT, reinterpret_cast<WPARAM>(normal.get()), FALSE);
    normalFont_ = std::move(normal);
    underlinedFont_ = std::move(underlined);
}

void HyperLink::SetFont(HFONT font) {
    if (!link_) return;
    MakeFonts(font);
    UseFont(underlineMode_ == 1 || (underlineMode_ == -1 && hover_));
    FitToText();
}

void HyperLink::SetTarget(const std::string& target) {
    target_ = target;
    if (!link_) return;
    FitToText();
    if (toolTip_) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = link_;
        tool.uId = kToolId;
        tool.lpszText = const_cast<char*>(target_.c_str());
        SendMessageA(toolTip_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void HyperLink::SetUnderlineMode(int mode) {
    if (mode != underlineMode_ && link_) {
        UseFont(mode == 1);
        InvalidateRect(link_, nullptr, TRUE);
    }
    underlineMode_ = mode;
}

void HyperLink::SetVisited(bool visited) {
    visited_ = visited;
    if (link_) InvalidateRect(link_, nullptr, TRUE);
}

void HyperLink::UseFont(bool underlined) {
    HFONT font = underlined ? underlinedFont_.get() : normalFont_.get();
    if (font) SendMessageA(link_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void HyperLink::FitToText() {
    if (!link_) return;
    const std::string text = WindowText(link_);
    SIZE extent{};
    {
        const WindowDc dc(link_);
        if (!dc) return;
        const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(link_, WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }

    RECT window{}, client{};
    GetWindowRect(link_, &window);
    GetClientRect(link_, &client);
    if (parent_) MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&window), 2);
    const int width = extent.cx + (window.right - window.left) - client.right;
    const int height = extent.cy + (window.bottom - window.top) - client.bottom;
    const LONG style = static_cast<LONG>(GetWindowLongPtrA(link_, GWL_STYLE));

    int top = window.top;
    if (style & SS_CENTERIMAGE) top = window.top + ((window.bottom - window.top) - height) / 2;
    int left = window.left;
    const LONG alignment = style & SS_TYPEMASK;
    if (alignment == SS_CENTER) left = window.left + ((window.right - window.left) - width) / 2;
    else if (alignment == SS_RIGHT) left = window.right - width;
    SetWindowPos(link_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// A resize from outside brings the window back to its one-line text, at its top-left corner.
void HyperLink::SnapToText() {
    if (snapping_) return;
    const std::string text = WindowText(link_);
    RECT needed{};
    {
        const WindowDc dc(link_);
        if (!dc) return;
        const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(link_, WM_GETFONT, 0, 0)));
        DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_SINGLELINE);
    }
    RECT window{}, client{};
    GetWindowRect(link_, &window);
    GetClientRect(link_, &client);
    if (client.right == needed.right && client.bottom == needed.bottom) return;
    const int width = needed.right + (window.right - window.left) - client.right;
    const int height = needed.bottom + (window.bottom - window.top) - client.bottom;
    snapping_ = true;
    SetWindowPos(link_, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    snapping_ = false;
}

void HyperLink::LoadDefaultCursor() {
    if (cursor_) return;
    char folder[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const std::string help = std::string(folder) + "\\winhlp32.exe";
    UniqueModule module(LoadLibraryExA(help.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) return;
    HCURSOR hand = LoadCursorA(module.get(), MAKEINTRESOURCEA(kHandCursorId));
    if (hand) cursor_.reset(static_cast<HCURSOR>(CopyIcon(hand)));
}

void HyperLink::CreateToolTip() {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    toolTip_.reset(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, link_, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!toolTip_) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = link_;
    tool.uId = kToolId;
    GetClientRect(link_, &tool.rect);
    tool.lpszText = const_cast<char*>(target_.c_str());
    SendMessageA(toolTip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void HyperLink::OnMouseMove() {
    if (hover_) return;
    hover_ = true;
    if (underlineMode_ == -1) UseFont(true);
    InvalidateRect(link_, nullptr, TRUE);
    SetTimer(link_, kHoverTimer, kHoverPeriod, nullptr);
}

void HyperLink::OnTimer() {
    const DWORD position = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(link_, &point);
    RECT client{};
    GetClientRect(link_, &client);
    if (PtInRect(&client, point)) return;
    hover_ = false;
    KillTimer(link_, kHoverTimer);
    if (underlineMode_ != 1) UseFont(false);
    client.bottom += 10;
    InvalidateRect(link_, &client, TRUE);
}

void HyperLink::OnClicked() {
    if (labelOnly) return;
    hover_ = false;
    const int result = OpenLinkTarget(target_, SW_SHOW);
    visited_ = result > 32;
    if (visited_) {
        InvalidateRect(link_, nullptr, TRUE);
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
        ReportError(result);
    }
}

// Enter or Space on the focused link does what a click does, through the same notification.
void HyperLink::ClickByKeyboard() {
    if (!parent_) return;
    SendMessageA(parent_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link_), STN_CLICKED), reinterpret_cast<LPARAM>(link_));
}

// A dotted frame in the link colour in the margin around the text of the focused link; drawn
// over, not inverted, so that repeated paints of a control without background leave the same
// picture.
void HyperLink::DrawFocus() const {
    if (GetFocus() != link_) return;
    if (SendMessageA(link_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return;
    // The pen outlives the device context and both outlive the selections.
    const UniquePen pen(CreatePen(PS_DOT, 1, hover_ ? hoverColour_ : visited_ ? visitedColour_ : linkColour_));
    const WindowDc dc(link_, WindowDc::Area::Window);
    if (!dc) return;
    RECT window{};
    GetWindowRect(link_, &window);
    const SelectedObject selectedPen(dc.get(), pen.get());
    const SelectedObject selectedBrush(dc.get(), GetStockObject(NULL_BRUSH));
    SetBkMode(dc.get(), TRANSPARENT);
    Rectangle(dc.get(), 0, 0, window.right - window.left, window.bottom - window.top);
}

// The focus frame's margin, as a border of the window: the text keeps its size, and fitting the
// window to its text adds the margin as it adds any border.
void HyperLink::OnNonClientSize(bool withPositions, LPARAM lParam) const {
    RECT& client =
        withPositions ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
    if (client.right - client.left <= 2 * kFocusMargin || client.bottom - client.top <= 2 * kFocusMargin) return;
    InflateRect(&client, -kFocusMargin, -kFocusMargin);
}

void HyperLink::ReportError(int code) {
    const std::string text = HyperLinkErrorText(code);
    if (errorHandler_) errorHandler_(link_, text);
    else MessageBoxA(link_, text.c_str(), ApplicationName().c_str(), MB_OK | MB_ICONEXCLAMATION);
}

HBRUSH HyperLink::OnColour(HDC dc) const {
    SetTextColor(dc, hover_ ? hoverColour_ : visited_ ? visitedColour_ : linkColour_);
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

LRESULT CALLBACK HyperLink::LinkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) noexcept {
    return AtBoundary(
        [&] { return reinterpret_cast<HyperLink*>(self)->OnLinkMessage(window, message, wParam, lParam); },
        [&] { return DefSubclassProc(window, message, wParam, lParam); });
}

LRESULT HyperLink::OnLinkMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            if (cursor_) {
                SetCursor(cursor_.get());
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE: OnMouseMove(); break;
        case WM_TIMER:
            if (wParam == kHoverTimer) {
                OnTimer();
                return 0;
            }
            break;
        case WM_ERASEBKGND: return TRUE;
        case WM_GETDLGCODE: {
            // Enter and Space reach the link instead of the dialog's default handling.
            const LRESULT code = DefSubclassProc(window, message, wParam, lParam);
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            return key && key->message == WM_KEYDOWN && IsActivationKey(key->wParam) ? code | DLGC_WANTMESSAGE : code;
        }
        case WM_KEYDOWN:
            if (IsActivationKey(wParam)) {
                constexpr LPARAM kRepeat = 1 << 30;
                if ((lParam & kRepeat) == 0) ClickByKeyboard();
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            RepaintBehind(window);
            return result;
        }
        case WM_NCCALCSIZE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            OnNonClientSize(wParam != FALSE, lParam);
            return result;
        }
        case WM_NCPAINT: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            DrawFocus();
            return result;
        }
        case WM_SIZE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            SnapToText();
            return result;
        }
        case WM_DESTROY: KillTimer(window, kHoverTimer); break;
        case WM_NCDESTROY: Detach(); return DefSubclassProc(window, message, wParam, lParam);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void HyperLink::JoinParent() {
    LinkParents& parents = Parents();
    const std::lock_guard<std::mutex> held(parents.lock);
    std::vector<HyperLink*>& links = parents.links[parent_];
    if (links.empty()) SetWindowSubclass(parent_, &HyperLink::ParentProcedure, kParentSubclassId, 0);
    links.push_back(this);
}

void HyperLink::LeaveParent() {
    LinkParents& parents = Parents();
    const std::lock_guard<std::mutex> held(parents.lock);
    const auto found = parents.links.find(parent_);
    if (found == parents.links.end()) return;
    std::vector<HyperLink*>& links = found->second;
    links.erase(std::remove(links.begin(), links.end(), this), links.end());
    if (!links.empty()) return;
    parents.links.erase(found);
    RemoveWindowSubclass(parent_, &HyperLink::ParentProcedure, kParentSubclassId);
}

LRESULT CALLBACK HyperLink::ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR) noexcept {
    return AtBoundary([&] { return OnParentMessage(window, message, wParam, lParam); },
                      [&] { return DefSubclassProc(window, message, wParam, lParam); });
}

LRESULT HyperLink::OnParentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CTLCOLORSTATIC && message != WM_COMMAND && message != WM_NCDESTROY)
        return DefSubclassProc(window, message, wParam, lParam);
    HyperLink* link = nullptr;
    {
        LinkParents& parents = Parents();
        const std::lock_guard<std::mutex> held(parents.lock);
        const auto found = parents.links.find(window);
        if (found != parents.links.end()) {
            if (message == WM_NCDESTROY) {
                for (HyperLink* child : found->second) child->parent_ = nullptr;
                parents.links.erase(found);
                RemoveWindowSubclass(window, &HyperLink::ParentProcedure, kParentSubclassId);
            } else {
                for (HyperLink* child : found->second) {
                    if (child->link_ == reinterpret_cast<HWND>(lParam)) link = child;
                }
            }
        }
    }
    if (link && message == WM_CTLCOLORSTATIC)
        return reinterpret_cast<LRESULT>(link->OnColour(reinterpret_cast<HDC>(wParam)));
    if (link && message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) link->OnClicked();
    return DefSubclassProc(window, message, wParam, lParam);
}
