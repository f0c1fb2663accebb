#include "controls/markup_label.h"

#include <commctrl.h>

#include <vector>

#include "base/device_context.h"
#include "base/window_boundary.h"
#include "controls/markup_renderer.h"
#include "controls/repaint_behind.h"

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

void MarkupLabel::Paint(HDC dc) {
    RECT client{};
    GetClientRect(label_, &client);
    InflateRect(&client, -kInset, -kInset);
    const int length = GetWindowTextLengthA(label_);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(label_, text.data(), length + 1);
    const SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(label_, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    DrawMarkupInRect(dc, client, text.data());
}

LRESULT CALLBACK MarkupLabel::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self) noexcept {
    return AtBoundary([&] { return reinterpret_cast<MarkupLabel*>(self)->OnMessage(window, message, wParam, lParam); },
                      [&] { return DefSubclassProc(window, message, wParam, lParam); });
}

LRESULT MarkupLabel::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SETTEXT: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            // The label draws no background: the parent paints over the old text.
            RepaintBehind(window);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, &MarkupLabel::SubclassProcedure, kSubclassId);
            label_ = nullptr;
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
