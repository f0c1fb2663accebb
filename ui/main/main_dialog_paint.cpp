// The main window's own drawing: the background picture (or the icon when minimised) and the
// colours of its labels.
#include "ui/main/main_dialog.h"

#include "resources/resource_ids.h"

namespace {
constexpr COLORREF kTotalsColour = RGB(255, 0, 0);
constexpr COLORREF kFooterColour = RGB(255, 255, 255);
}  // namespace

void MainDialog::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(Window(), &paint);
    if (IsIconic(Window())) {
        RECT client{};
        GetClientRect(Window(), &client);
        DrawIcon(dc, (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
                 (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
    } else if (const HBITMAP picture = backgrounds_[backgroundIndex_].get()) {
        BITMAP info{};
        GetObjectA(picture, sizeof(info), &info);
        const UniqueMemoryDc memory(CreateCompatibleDC(dc));
        const SelectedObject selected(memory.get(), picture);
        BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(Window(), &paint);
}

HBRUSH MainDialog::OnStaticColour(HDC dc, HWND control) {
    switch (GetDlgCtrlID(control)) {
        case IDC_STATUS_LINE:
        case IDC_TOTALS_FRAME:
        case IDC_SELECT_ALL_ERRORS:
        case IDC_AUTO_BACKUP:
        case IDC_LOG_FOLDER: SetBkMode(dc, TRANSPARENT); return whiteBrush_.get();
        case IDC_SCAN_TOTAL:
        case IDC_SCAN_AFFECTED:
        case IDC_RESULTS_TOTAL:
            SetTextColor(dc, kTotalsColour);
            SetBkMode(dc, TRANSPARENT);
            return whiteBrush_.get();
        case IDC_FOOTER: SetTextColor(dc, kFooterColour); break;
        default: break;
    }
    if (startup_.xpFlag) {
        // Without transparency support the label gets the picture under it copied in first.
        RECT rect{};
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&rect), 2);
        if (const HBITMAP picture = backgrounds_[backgroundIndex_].get()) {
            const UniqueMemoryDc memory(CreateCompatibleDC(dc));
            const SelectedObject selected(memory.get(), picture);
            BitBlt(dc, 0, 0, rect.right - rect.left, rect.bottom - rect.top, memory.get(), rect.left, rect.top,
                   SRCCOPY);
        }
    }
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}
