#pragma once
// The one line on a terminal that shows a console scan going on: the section, the items examined
// and the problems found so far. It is rewritten at most ten times a second and cleared before
// anything else is written and at the end.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

// "Full Registry Scan: 12345 items examined, 67 problems found", cut to fit the width.
std::string ProgressText(const std::string& section, long long items, int problems, size_t width);

class ProgressLine {
public:
    using Clock = std::function<uint64_t()>;  // milliseconds, steadily rising

    // Writes to the terminal; width is the terminal's line length (the text keeps off its last column).
    ProgressLine(std::FILE* terminal, size_t width, Clock clock);
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;
    ~ProgressLine() { Clear(); }

    // Whether a tenth of a second has gone since the line was last written (or it never was).
    bool Due() const;
    void Show(const std::string& section, long long items, int problems);
    // Blanks the line, so that other text starts at its beginning; the next Show writes it again.
    void Clear();

private:
    std::FILE* terminal_;
    size_t width_;
    Clock clock_;
    uint64_t lastShown_ = 0;
    bool everShown_ = false;
    size_t shownLength_ = 0;
};
