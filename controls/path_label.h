#pragma once
// The one-line status text of a scan: long paths are shortened to the label's width with "..."
// in place of middle components, measured in DEFAULT_GUI_FONT.
//     PathLabel status; status.Attach(GetDlgItem(dialog, IDC_STATUS));
//     status.ShowPath("HKEY_LOCAL_MACHINE\\Software\\...\\InprocServer32");
#include <windows.h>

#include <string>

#include "controls/paced_update.h"

class PathLabel {
public:
    void Attach(HWND label) {
        label_ = label;
        pacer_.Attach(label);
    }
    HWND Window() const { return label_; }

    // Paths of 260 characters or more are cut to their first 259 first. When shortening fails
    // the (cut) text is shown as it is.
    void ShowPath(const std::string& path);
    // The same for a stream of items (one per examined entry of a scan): the label is written at
    // most twenty times a second, always with the latest path, so measuring and painting cost
    // next to nothing per item.
    void ShowPathSoon(const std::string& path);

private:
    void Write(const std::string& path) const;

    HWND label_ = nullptr;
    std::string latestPath_;
    PacedUpdate pacer_;
};
