#include "ui/dpi_resources.h"

#include "base/device_context.h"
#include "base/runtime_function.h"
#include "resources/resource_ids.h"
#include "ui/dialog_base.h"
#include "ui/dpi_scale.h"

namespace {
constexpr int kMainWindowPoints = 8;

UniqueFont Tahoma(int pixelHeight) {
    LOGFONTA font{};
    font.lfHeight = -pixelHeight;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
    return UniqueFont(CreateFontIndirectA(&font));
}

// What the dialog manager measures its base unit with.
int AlphabetWidth(HFONT font) {
    constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const WindowDc screen(nullptr);
    const SelectedObject selected(screen.get(), font);
    SIZE extent{};
    GetTextExtentPoint32A(screen.get(), kAlphabet, static_cast<int>(sizeof(kAlphabet) - 1), &extent);
    return extent.cx;
}

UniqueBitmap LoadBitmapResource(int id) {
    return UniqueBitmap(static_cast<HBITMAP>(
        LoadImageA(ResourceModule(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

UniqueBitmap Halftoned(HBITMAP source, SIZE from, SIZE to) {
    const WindowDc screen(nullptr);
    UniqueBitmap target(CreateCompatibleBitmap(screen.get(), to.cx, to.cy));
    const UniqueMemoryDc sourceDc(CreateCompatibleDC(screen.get()));
    const UniqueMemoryDc targetDc(CreateCompatibleDC(screen.get()));
    if (!target || !sourceDc || !targetDc) return {};
    const SelectedObject selectedSource(sourceDc.get(), source);
    const SelectedObject selectedTarget(targetDc.get(), target.get());
    SetStretchBltMode(targetDc.get(), HALFTONE);
    SetBrushOrgEx(targetDc.get(), 0, 0, nullptr);  // HALFTONE asks for it
    if (!StretchBlt(targetDc.get(), 0, 0, to.cx, to.cy, sourceDc.get(), 0, 0, from.cx, from.cy, SRCCOPY)) return {};
    return target;
}
}  // namespace

int WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow =
        FindFunction<GetDpiForWindowFunction>(GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
    }
    const WindowDc screen(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : kBaseDpi;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) return {};
    return {info.bmWidth, info.bmHeight};
}

UniqueBitmap LoadPictureForDpi(int id, int dpi) {
    const int index = DrawnPictureIndex(dpi);
    UniqueBitmap drawn = LoadBitmapResource(id + index * PICTURE_SIZE_STEP);
    const SIZE size = BitmapSize(drawn.get());
    const int drawnDpi = kDrawnPictureDpis[index];
    if (size.cx <= 0 || size.cy <= 0 || dpi == drawnDpi) return drawn;
    const SIZE wanted{MulDiv(size.cx, dpi, drawnDpi), MulDiv(size.cy, dpi, drawnDpi)};
    if (wanted.cx <= 0 || wanted.cy <= 0) return drawn;
    return Halftoned(drawn.get(), size, wanted);
}

UniqueFont MainWindowFont(int dpi) {
    const int pointHeight = MulDiv(kMainWindowPoints, dpi, 72);
    const UniqueFont design = Tahoma(MulDiv(kMainWindowPoints, kBaseDpi, 72));
    const int allowed = ScaleForDpi(AlphabetWidth(design.get()), dpi);
    for (int height = pointHeight; height > pointHeight * 3 / 4; --height) {
        UniqueFont font = Tahoma(height);
        if (AlphabetWidth(font.get()) <= allowed) return font;
    }
    return Tahoma(pointHeight);
}
