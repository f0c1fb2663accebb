#include "cli/console_scan_session.h"

#include <windows.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "app/ignore_list_store.h"
#include "cli/ansi_text.h"
#include "cli/current_account.h"
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

// The note's lines, each a note of its own.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
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
                                       std::atomic<bool>& interrupted, std::FILE* textReport,
                                       const std::string& settingsKeyPath)
    : preferences_(settingsKeyPath),
      scanLog_(preferences_, osName),
      bufferedLog_(scanLog_),
      log_(command.writeLog ? static_cast<ScanLogWriter&>(bufferedLog_) : noLog_),
      host_(interrupted),
      progress_(host_, !command.quiet && !command.summary),
      report_(textReport, progress_),
      session_([&](SectionId id) { return IncludedBy(command, PreparedPreferences(command, preferences_), id); },
               progress_.Host(), report_, log_),
      unreadable_(textReport, session_.Sections()),
      textReport_(textReport),
      account_(CurrentScanningAccount()),
      notFixedDisks_(NotFixedDisks(command.drives)) {
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
    if (textReport_ != nullptr) {
        for (const std::string& disk : notFixedDisks_) std::fprintf(textReport_, "tidrex: %s\n", disk.c_str());
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

nlohmann::ordered_json ConsoleScanSession::ReportJson() {
    nlohmann::ordered_json document =
        ScanReportJson(ScannedSections(), Counters(), Aborted(), AnsiToUtf8, &unreadable_);
    AddAccount(document, account_);
    nlohmann::ordered_json notes = nlohmann::ordered_json::array();
    for (const std::string& disk : notFixedDisks_) notes.push_back(AnsiToUtf8(disk));
    for (const ScanSection* section : ScannedSections()) {
        if (section->id != kShortcutsSection) continue;
        for (const std::string& line : Lines(report_.shortcutNote)) notes.push_back(AnsiToUtf8(line));
    }
    document["notes"] = std::move(notes);
    return document;
}
