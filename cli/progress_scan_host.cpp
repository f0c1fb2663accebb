#include "cli/progress_scan_host.h"

#include <windows.h>

#include <cstdio>

void ProgressScanHost::ShowCurrentItem(const std::string& text) {
    ++items_;
    if (line_.Due()) line_.Show(section_, items_, problems_);
    inner_.ShowCurrentItem(text);
}

void ProgressScanHost::StartingKeyUnreadable(SectionId section, const std::string& keyName) {
    // The key is told in the text report, which the line would cut into on a terminal.
    line_.Clear();
    inner_.StartingKeyUnreadable(section, keyName);
}

void ProgressScanHost::ShowFault(const std::string& text) {
    line_.Clear();
    inner_.ShowFault(text);
}

std::optional<size_t> StandardErrorConsoleWidth() {
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    CONSOLE_SCREEN_BUFFER_INFO buffer{};
    if (!GetConsoleMode(error, &mode) || !GetConsoleScreenBufferInfo(error, &buffer)) return std::nullopt;
    const int width = buffer.srWindow.Right - buffer.srWindow.Left + 1;
    return static_cast<size_t>(width > 0 ? width : buffer.dwSize.X);
}

ConsoleProgress::ConsoleProgress(ScanHost& consoleHost, bool wanted) : consoleHost_(consoleHost) {
    const std::optional<size_t> width = wanted ? StandardErrorConsoleWidth() : std::nullopt;
    if (!width) return;
    line_.emplace(stderr, *width, [] { return static_cast<uint64_t>(GetTickCount64()); });
    host_.emplace(consoleHost, *line_);
}

void ConsoleProgress::ClearLine() {
    if (line_) line_->Clear();
}
