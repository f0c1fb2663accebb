#include "cli/console_scan_session.h"

#include <windows.h>

#include <algorithm>

#include "cli/fixed_disks.h"
#include "cli/scan_report.h"

namespace {
int32_t IncludedBy(const ScanCommand& command, const Preferences& preferences, SectionId id) {
    switch (command.selection) {
        case ScanCommand::Selection::All: return 1;
        case ScanCommand::Selection::Listed:
            return std::find(command.sections.begin(), command.sections.end(), id) != command.sections.end() ? 1 : 0;
        case ScanCommand::Selection::Preferences: break;
    }
    return preferences.ReadSectionState(id) ? 1 : 0;
}

// A first run from the console sets up the settings as the main window's first run does.
const Preferences& PreparedPreferences(const ScanCommand& command, const Preferences& preferences) {
    if (command.selection == ScanCommand::Selection::Preferences && preferences.IsFirstRun()) {
        preferences.ResetSettings();
    }
    return preferences;
}
}  // namespace

void ConsoleScanSession::ReportingScanPage::SetScanRowText(int row, int column, const std::string& text) {
    DataScanPage::SetScanRowText(row, column, text);
    if (column == kScanStatusColumn && (text == kScanFinishedText || text == kScanAbortedText)) {
        Print(SectionEndText(*rows.at(row).section));
    }
}

void ConsoleScanSession::ReportingScanPage::ProblemFiled(const ScanSection& section, const ProblemRecord& record) {
    Print(ProblemReportText(section, record));
}

void ConsoleScanSession::ReportingScanPage::Print(const std::string& text) {
    if (out_ == nullptr) return;
    if (beforePrint) beforePrint();
    std::fwrite(text.data(), 1, text.size(), out_);
}

ConsoleScanSession::ConsoleScanSession(const ScanCommand& command, const std::string& osName,
                                       std::atomic<bool>& interrupted, std::FILE* textReport, std::FILE* err,
                                       const std::string& settingsKeyPath)
    : preferences_(settingsKeyPath),
      sections_([&](SectionId id) { return IncludedBy(command, PreparedPreferences(command, preferences_), id); }),
      scanLog_(preferences_, osName),
      bufferedLog_(scanLog_),
      log_(command.writeLog ? static_cast<ScanLogWriter&>(bufferedLog_) : noLog_),
      page_(textReport),
      intake_(page_, counters_, log_),
      host_(intake_, interrupted),
      unreadable_(err, sections_),
      progress_(host_, page_, counters_, !command.quiet, textReport != nullptr),
      engine_(progress_.Host()),
      driver_(sections_, engine_, page_, scanners_, log_, counters_),
      err_(err) {
    scanners_.shortcutDrives = command.drives;
    page_.beforePrint = [this] { progress_.ClearLine(); };
    host_.Attach(engine_);
    host_.CollectUnreadable(unreadable_);
    host_.onFiled = [this](const ScanSection& section, const ProblemRecord& record) {
        page_.ProblemFiled(section, record);
    };
    host_.betweenItems = [this] { bufferedLog_.FlushIfDue(); };
    // The tick count is read from memory; the precise clock asks the system, twice per item.
    bufferedLog_.now = [] { return std::chrono::milliseconds(GetTickCount64()); };
    driver_.readSelectAll = [this] { return preferences_.ReadSelectAll(); };
}

void ConsoleScanSession::Run() {
    if (err_ != nullptr) {
        const std::string warnings = NotFixedDiskWarnings(scanners_.shortcutDrives);
        std::fwrite(warnings.data(), 1, warnings.size(), err_);
    }
    driver_.ScanNow();
    progress_.ClearLine();
}

std::vector<const ProblemRecord*> ConsoleScanSession::Problems() const {
    std::vector<const ProblemRecord*> problems;
    for (const DataScanPage::Row& row : page_.rows) {
        for (const ProblemPtr& problem : row.section->problems) problems.push_back(problem.get());
    }
    return problems;
}
