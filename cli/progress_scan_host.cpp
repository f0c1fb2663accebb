#include "cli/progress_scan_host.h"

#include <windows.h>

#include <cstdio>

ProgressScanHost::ProgressScanHost(ScanHost& inner, ProgressLine& line, const DataScanPage& page,
                                   const ScanCounters& counters, bool clearBeforeProblems)
    : inner_(inner), line_(line), page_(page), counters_(counters), clearBeforeProblems_(clearBeforeProblems) {}

void ProgressScanHost::ReportProblem(ProblemPtr problem) {
    if (clearBeforeProblems_) line_.Clear();
    inner_.ReportProblem(std::move(problem));
}

void ProgressScanHost::ShowCurrentItem(const std::string& text) {
    ++items_;
    if (line_.Due()) {
        for (const DataScanPage::Row& row : page_.rows) {
            if (row.columns[kScanStatusColumn] == "Scanning") section_ = row.section->name;
        }
        line_.Show(section_, items_, counters_.totalProblems);
    }
    inner_.ShowCurrentItem(text);
}

void ProgressScanHost::StartingKeyUnreadable(SectionId section, const std::string& keyName) {
    // The key is told on standard error, where the line stands.
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

bool StandardOutputIsConsole() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != FALSE;
}

ConsoleProgress::ConsoleProgress(ScanHost& consoleHost, const DataScanPage& page, const ScanCounters& counters,
                                 bool wanted, bool problemsPrinted)
    : consoleHost_(consoleHost) {
    const std::optional<size_t> width = wanted ? StandardErrorConsoleWidth() : std::nullopt;
    if (!width) return;
    line_.emplace(stderr, *width, [] { return static_cast<uint64_t>(GetTickCount64()); });
    host_.emplace(consoleHost, *line_, page, counters, problemsPrinted && StandardOutputIsConsole());
}

void ConsoleProgress::ClearLine() {
    if (line_) line_->Clear();
}
