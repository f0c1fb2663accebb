#pragma once
// A static text control that shows its window text as markup, on a transparent background, in
// the font its parent gave it, inset by 5 pixels.
//     MarkupLabel header; header.Attach(GetDlgItem(dialog, IDC_HEADER));
//     header.SetText("<b>Scan</b><br>Choose the <font color=\"#0000FF\">sections</font> to scan.");
#include <windows.h>

#include <string>

class MarkupLabel {
public:
    MarkupLabel() = default;
    MarkupLabel(const MarkupLabel&) = delete;
    MarkupLabel& operator=(const MarkupLabel&) = delete;
    ~MarkupLabel();

    void Attach(HWND label);
    HWND Window() const { return label_; }
    void SetText(const std::string& markup);

private:
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                              DWORD_PTR self) noexcept;
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

    HWND label_ = nullptr;
};
