#pragma once
// A static text control that looks and acts like a web link: link colours, underline on hover,
// a hand cursor, a tooltip with its target, and a click that opens the target in the shell.
//     HyperLink site; site.SetTarget("https://example.invalid/"); site.Attach(GetDlgItem(dlg, IDC_SITE));
//     HyperLink nav; nav.labelOnly = true; nav.Attach(GetDlgItem(dlg, IDC_NAV_SCAN));  // parent handles clicks
// The parent still receives the STN_CLICKED notification of every click. The link is a tab stop;
// Enter or Space on it acts as a click.
#include <windows.h>

#include <functional>
#include <string>

#include "base/unique_handles.h"

class HyperLink {
public:
    // Shows the text of a failed open; without one a message box appears.
    using ErrorHandler = std::function<void(HWND link, const std::string& text)>;

    HyperLink() = default;
    HyperLink(const HyperLink&) = delete;
    HyperLink& operator=(const HyperLink&) = delete;
    ~HyperLink();

    // Subclasses the static control (and, for its colours and clicks, its parent). A target that
    // was not set becomes the window text.
    void Attach(HWND label);
    HWND Window() const { return link_; }

    // Makes its plain and underlined fonts from this one (the parent's at a new DPI, say) and fits
    // the window to its text again.
    void SetFont(HFONT font);

    void SetTarget(const std::string& target);
    const std::string& Target() const { return target_; }
    // -1: underlined while hovered; 1: always; 0: never.
    void SetUnderlineMode(int mode);
    int UnderlineMode() const { return underlineMode_; }
    void SetVisited(bool visited);
    bool Visited() const { return visited_; }
    bool Hovered() const { return hover_; }
    void SetErrorHandler(ErrorHandler handler) { errorHandler_ = std::move(handler); }

    // A click opens nothing; the parent handles it.
    bool labelOnly = false;

private:
    static LRESULT CALLBACK LinkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self) noexcept;
    static LRESULT CALLBACK ParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self) noexcept;
    LRESULT OnLinkMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT OnParentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();
    void JoinParent();
    void LeaveParent();
    void FitToText();
    void SnapToText();
    void LoadDefaultCursor();
    void CreateToolTip();
    void MakeFonts(HFONT font);
    void UseFont(bool underlined);
    void OnMouseMove();
    void OnTimer();
    void OnClicked();
    void ClickByKeyboard();
    void DrawFocus() const;
    void OnNonClientSize(bool withPositions, LPARAM lParam) const;
    HBRUSH OnColour(HDC dc) const;
    void ReportError(int code);

    HWND link_ = nullptr;
    HWND parent_ = nullptr;
    std::string target_;
    UniqueFont underlinedFont_;
    UniqueFont normalFont_;
    COLORREF linkColour_ = RGB(0, 0, 238);
    COLORREF visitedColour_ = RGB(85, 26, 139);
    COLORREF hoverColour_ = RGB(255, 0, 0);
    bool hover_ = false;
    bool visited_ = false;
    bool snapping_ = false;
    int underlineMode_ = -1;
    UniqueCursor cursor_;
    UniqueWindow toolTip_;
    ErrorHandler errorHandler_;
};
