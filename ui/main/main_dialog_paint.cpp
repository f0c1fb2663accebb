// The main window's own drawing: the background picture (or the icon when minimised) and the
// colours of its labels.
#include "ui/main/main_dialog.h"

#include "base/device_context.h"
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
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
}
