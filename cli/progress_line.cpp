#include "cli/progress_line.h"

#include "base/text_format.h"

namespace {
constexpr uint64_t kRewriteIntervalMs = 100;
}  // namespace

std::string ProgressText(const std::string& section, long long items, int problems, size_t width) {
    std::string text = Format("%s: %lld items examined, %d problems found", section.c_str(), items, problems);
    const size_t room = width > 1 ? width - 1 : 0;
    if (text.size() > room) text.resize(room);
    return text;
}

ProgressLine::ProgressLine(std::FILE* terminal, size_t width, Clock clock)
    : terminal_(terminal), width_(width), clock_(std::move(clock)) {}

bool ProgressLine::Due() const { return !everShown_ || clock_() - lastShown_ >= kRewriteIntervalMs; }

void ProgressLine::Show(const std::string& section, long long items, int problems) {
    const std::string text = ProgressText(section, items, problems, width_);
    // Blanks cover what a longer earlier text left behind.
    const size_t blanks = shownLength_ > text.size() ? shownLength_ - text.size() : 0;
    std::fprintf(terminal_, "\r%s%s", text.c_str(), std::string(blanks, ' ').c_str());
    std::fflush(terminal_);
    shownLength_ = text.size();
    lastShown_ = clock_();
    everShown_ = true;
}

void ProgressLine::Clear() {
    if (shownLength_ == 0) return;
    std::fprintf(terminal_, "\r%s\r", std::string(shownLength_, ' ').c_str());
    std::fflush(terminal_);
    shownLength_ = 0;
}
