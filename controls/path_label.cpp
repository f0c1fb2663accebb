#include "controls/path_label.h"

#include <shlwapi.h>

#include <cstring>

#include "base/device_context.h"

void PathLabel::ShowPath(const std::string& path) {
    pacer_.Drop();  // an older path must not follow this one
    Write(path);
}

void PathLabel::ShowPathSoon(const std::string& path) {
    // The latest path is kept here, not in the request: a scan asks for every item it examines.
    latestPath_ = path;
    pacer_.Request([this] { Write(latestPath_); });
}

void PathLabel::Write(const std::string& path) const {
    if (!label_) return;
    char buffer[MAX_PATH] = {};
    const size_t length = path.size() < MAX_PATH ? path.size() : MAX_PATH - 1;
    std::memcpy(buffer, path.data(), length);
    char original[MAX_PATH];
    std::memcpy(original, buffer, sizeof(buffer));

    RECT client{};
    GetClientRect(label_, &client);
    BOOL shortened = FALSE;
    {
        const WindowDc dc(label_);
        if (!dc) return;
        const SelectedObject font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
        shortened = PathCompactPathA(dc.get(), buffer, static_cast<UINT>(client.right - client.left));
    }
    SetWindowTextA(label_, shortened ? buffer : original);
}
