// How the main window follows the DPI of its monitor: everything is laid out, drawn and chosen
// at that DPI from the 96-DPI design, in the same proportions over the background picture.
#include <algorithm>

#include "base/runtime_function.h"
#include "resources/resource_ids.h"
#include "ui/dpi_resources.h"
#include "ui/dpi_scale.h"
#include "ui/main/main_dialog.h"

namespace {
// Windows would scale a dialog of a per-monitor aware program on its own, in dialog units;
// this one lays itself out over its picture instead.
void KeepDialogManagerFromScaling(HWND dialog) {
    using Function = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehaviour =
        FindFunction<Function>(GetModuleHandleA("user32.dll"), "SetDialogDpiChangeBehavior");
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    if (setBehaviour) setBehaviour(dialog, kDisableAll, kDisableAll);
}
}  // namespace

SIZE MainDialog::BackgroundSize() const {
    const SIZE size = BitmapSize(backgrounds_[0].get());
    if (size.cx > 0) return size;
    return {ScaleForDpi(kClientWidth, dpi_), ScaleForDpi(kClientHeight, dpi_)};
}

void MainDialog::ApplyDpi(int dpi) {
    KeepDialogManagerFromScaling(Window());
    dpi_ = dpi;
    backgrounds_[0] = LoadPictureForDpi(IDB_BACKGROUND_HOME, dpi);
    backgrounds_[1] = LoadPictureForDpi(IDB_BACKGROUND_PAGES, dpi);
    FitClientToBackground();
    // The controls let go of the old font before it is deleted.
    UniqueFont font = MainWindowFont(dpi);
    layout_.Apply(Window(), BackgroundSize(), font.get());
    font_ = std::move(font);
    // Loaded after the layout, which gives the control the template's size, not the picture's.
    LoadAnimation();
}

void MainDialog::LoadAnimation() {
    const bool playing = animation_.IsPlaying();
    const int index = DrawnPictureIndex(dpi_);
    animation_.SetScale(dpi_, kDrawnPictureDpis[index]);
    animation_.LoadFromResource(ResourceModule(), MAKEINTRESOURCEA(IDR_BUSY_ANIMATION + index * PICTURE_SIZE_STEP),
                                "GIF");
    if (playing) animation_.Draw();
}

bool MainDialog::OnDpiChanged(int dpi, const RECT& suggested) {
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyDpi(dpi);
    for (HyperLink& link : links_) link.SetFont(font_.get());
    scanList_.SetDpi(dpi);
    resultsList_.SetDpi(dpi);
    choiceList_.SetDpi(dpi);
    InvalidateRect(Window(), nullptr, TRUE);
    return true;
}

// The client area takes the picture's size; the window keeps its top-left corner.
void MainDialog::FitClientToBackground() {
    const SIZE picture = BackgroundSize();
    RECT window{}, client{};
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    const int width = picture.cx + (window.right - window.left) - client.right;
    const int height = picture.cy + (window.bottom - window.top) - client.bottom;
    SetWindowPos(Window(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void MainDialog::CentreOnWorkArea() {
    RECT window{}, work{};
    GetWindowRect(Window(), &window);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const LONG width = window.right - window.left, height = window.bottom - window.top;
    const LONG left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const LONG top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    SetWindowPos(Window(), nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}
