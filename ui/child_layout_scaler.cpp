#include "ui/child_layout_scaler.h"

RECT ScaledRect(const RECT& rect, double rx, double ry) {
    return RECT{static_cast<LONG>(rect.left * rx), static_cast<LONG>(rect.top * ry), static_cast<LONG>(rect.right * rx),
                static_cast<LONG>(rect.bottom * ry)};
}

void ChildLayoutScaler::Record(HWND window) {
    window_ = window;
    GetWindowRect(window, &windowRect_);
    scaledSize_ = {windowRect_.right - windowRect_.left, windowRect_.bottom - windowRect_.top};
    children_.clear();
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        children_.push_back({child, rect});
    }
}

void ChildLayoutScaler::Rescale() {
    // A minimised window has no layout to keep; restoring it brings back the size last scaled
    // to, so the children (some of which sized themselves since, like the animation) stay.
    if (window_ == nullptr || IsIconic(window_)) return;
    const LONG recordedWidth = windowRect_.right - windowRect_.left;
    const LONG recordedHeight = windowRect_.bottom - windowRect_.top;
    if (recordedWidth <= 0 || recordedHeight <= 0) return;
    RECT now{};
    GetWindowRect(window_, &now);
    const SIZE size{now.right - now.left, now.bottom - now.top};
    if (size.cx == scaledSize_.cx && size.cy == scaledSize_.cy) return;
    scaledSize_ = size;
    const double rx = static_cast<double>(size.cx) / recordedWidth;
    const double ry = static_cast<double>(size.cy) / recordedHeight;
    for (const Child& child : children_) {
        const RECT rect = ScaledRect(child.rect, rx, ry);
        MoveWindow(child.window, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    }
}
