#include "cli/console_scan_session.h"

#include <algorithm>

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

void ConsoleScanSession::PrintingLog::AppendLine(const std::string& text) {
    if (out_) {
        std::fwrite(text.data(), 1, text.size(), out_);
        std::fflush(out_);
    }
    next_.AppendLine(text);
}

ConsoleScanSession::ConsoleScanSession(const ScanCommand& command, const std::string& osName,
                                       std::atomic<bool>& interrupted, std::FILE* printTo, std::FILE* err)
    : sections_([&](SectionId id) { return IncludedBy(command, PreparedPreferences(command, preferences_), id); }),
      scanLog_(preferences_, osName),
      printingLog_(command.writeLog ? static_cast<ScanLogWriter&>(scanLog_) : noLog_, printTo),
      intake_(page_, counters_, printingLog_),
      host_(intake_, interrupted),
      unreadable_(err, sections_),
      engine_(host_),
      driver_(sections_, engine_, page_, scanners_, printingLog_, counters_) {
    host_.Attach(engine_);
    host_.CollectUnreadable(unreadable_);
    driver_.readSelectAll = [this] { return preferences_.ReadSelectAll(); };
}

void ConsoleScanSession::Run() { driver_.ScanNow(); }

std::vector<const ProblemRecord*> ConsoleScanSession::Problems() const {
    std::vector<const ProblemRecord*> problems;
    for (const DataScanPage::Row& row : page_.rows) {
        for (const ProblemPtr& problem : row.section->problems) problems.push_back(problem.get());
    }
    return problems;
}
