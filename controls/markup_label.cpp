#include "controls/markup_label.h"

#include <commctrl.h>

#include <vector>

#include "controls/markup_renderer.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x4D4C;
constexpr int kInset = 5;
}  // namespace

MarkupLabel::~MarkupLabel() {
    if (label_ && IsWindow(label_)) RemoveWindowSubclass(label_, &MarkupLabel::SubclassProcedure, kSubclassId);
}

void MarkupLabel::Attach(HWND label) {
    label_ = label;
    SetWindowSubclass(label_, &MarkupLabel::SubclassProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    InvalidateRect(label_, nullptr, FALSE);
}

void MarkupLabel::SetText(const std::string& markup) { SetWindowTextA(label_, markup.c_str()); }

// The label draws no background, so a new text needs the parent to paint over the old one.
void MarkupLabel::InvalidateBehind() {
    HWND parent = GetParent(label_);
    RECT area{};
    GetWindowRect(label_, &area);
    if (!parent) {
        InvalidateRect(label_, nullptr, TRUE);
        return;
    }
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MarkupLabel::Paint(HDC dc) {
    RECT client{};
    GetClientRect(label_, &client);
    InflateRect(&client, -kInset, -kInset);
    const int length = GetWindowTextLengthA(label_);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(label_, text.data(), length + 1);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(label_, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    DrawMarkupInRect(dc, client, text.data());
    if (old) SelectObject(dc, old);
}

LRESULT CALLBACK MarkupLabel::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR self) noexcept {
    auto* label = reinterpret_cast<MarkupLabel*>(self);
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            label->Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:
            label->Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            label->InvalidateBehind();
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &MarkupLabel::SubclassProcedure, kSubclassId);
            label->label_ = nullptr;
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
