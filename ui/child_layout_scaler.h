#pragma once
// Keeps a window's children in proportion when the window's size changes, always scaling
// from the layout recorded first, so repeated size changes do not accumulate rounding.
#include <windows.h>

#include <vector>

class ChildLayoutScaler {
public:
    // Records the window's rectangle and every direct child's rectangle in client coordinates.
    void Record(HWND window);
    // Moves every recorded child by the ratio of the new window size to the recorded one. Does
    // nothing while the window is minimised or when its size is the one last scaled to.
    void Rescale();

private:
    struct Child {
        HWND window;
        RECT rect;
    };
    HWND window_ = nullptr;
    RECT windowRect_{};
    SIZE scaledSize_{};
    std::vector<Child> children_;
};

// One rectangle scaled by the two ratios, each coordinate truncated toward zero.
RECT ScaledRect(const RECT& rect, double rx, double ry);
