#include "cli/console_scan_session.h"

#include <windows.h>

#include <algorithm>

#include "app/ignore_list_store.h"
#include "cli/fixed_disks.h"
#include "cli/scan_report.h"
#include "engine/section_descriptors.h"
#include "registry/drive_types.h"
#include "scanners/shortcut_text.h"

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

void ConsoleScanSession::TextReport::SectionStarted(const ScanSection& section) {
    progress_.SectionStarted(section.name);
    if (section.id == kShortcutsSection) Print(shortcutNote);
}

void ConsoleScanSession::TextReport::SectionEnded(const ScanSection& section, SectionEnd, int) {
    Print(SectionEndText(section));
}

void ConsoleScanSession::TextReport::ProblemFiled(const ScanSection& section, const ProblemRecord& problem,
                                                  const ScanCounters& counters) {
    progress_.ProblemsFiled(counters.totalProblems);
    Print(ProblemReportText(section, problem));
}

void ConsoleScanSession::TextReport::Print(const std::string& text) {
    if (out_ == nullptr) return;
    progress_.ClearLine();
    std::fwrite(text.data(), 1, text.size(), out_);
}

ConsoleScanSession::ConsoleScanSession(const ScanCommand& command, const std::string& osName,
                                       std::atomic<bool>& interrupted, std::FILE* textReport, std::FILE* err,
                                       const std::string& settingsKeyPath)
    : preferences_(settingsKeyPath),
      scanLog_(preferences_, osName),
      bufferedLog_(scanLog_),
      log_(command.writeLog ? static_cast<ScanLogWriter&>(bufferedLog_) : noLog_),
      host_(interrupted),
      progress_(host_, !command.quiet),
      report_(textReport, progress_),
      session_([&](SectionId id) { return IncludedBy(command, PreparedPreferences(command, preferences_), id); },
               progress_.Host(), report_, log_),
      unreadable_(err, session_.Sections()),
      err_(err) {
    session_.Scanners().shortcutDrives = command.drives;
    if (command.drives.empty())
        report_.shortcutNote = UnixRootDrivesNote(UnixRootDriveLetters(), " unless it is named with --drives");
    host_.Attach(session_.Engine(), session_.Intake());
    host_.CollectUnreadable(unreadable_);
    host_.betweenItems = [this] { bufferedLog_.FlushIfDue(); };
    // The tick count is read from memory; the precise clock asks the system, twice per item.
    bufferedLog_.now = [] { return std::chrono::milliseconds(GetTickCount64()); };
    session_.Driver().readSelectAll = [this] { return preferences_.ReadSelectAll(); };
    session_.readIgnoreList = [this] { return IgnoreListStore(preferences_.SettingsKeyPath()).Read(); };
}

void ConsoleScanSession::Run() {
    if (err_ != nullptr) {
        const std::string warnings = NotFixedDiskWarnings(session_.Scanners().shortcutDrives);
        std::fwrite(warnings.data(), 1, warnings.size(), err_);
    }
    session_.Driver().ScanNow();
    progress_.ClearLine();
}

std::vector<const ProblemRecord*> ConsoleScanSession::Problems() {
    std::vector<const ProblemRecord*> problems;
    for (const ScanSection* section : ScannedSections()) {
        for (const ProblemPtr& problem : section->problems) problems.push_back(problem.get());
    }
    return problems;
}
