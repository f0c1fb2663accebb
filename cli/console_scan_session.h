#pragma once
// One scan as the console runs it: the program's scan session with a host without a window, the
// text report printed as the scan goes, the progress line, and the problems kept for whoever runs
// the session.
#include <atomic>
#include <cstdio>
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "app/preferences.h"
#include "app/scan_log.h"
#include "app/scan_session.h"
#include "cli/buffered_scan_log.h"
#include "cli/console_scan_host.h"
#include "cli/progress_scan_host.h"
#include "cli/scan_command.h"
#include "cli/scanning_account.h"
#include "cli/unreadable_keys.h"

class ConsoleScanSession {
public:
    // textReport: where each filed problem and each section's end is printed as the text report
    // goes, and the notes: each starting key that could not be opened for lack of rights, each
    // chosen drive that is no fixed disk; none prints nothing (the document holds them all).
    // settingsKeyPath: the program's settings (tests give their own). A progress line goes to a
    // terminal's standard error unless the command is quiet or asks for a summary.
    ConsoleScanSession(const ScanCommand& command, const std::string& osName, std::atomic<bool>& interrupted,
                       std::FILE* textReport, const std::string& settingsKeyPath = kSettingsKeyPath);
    ConsoleScanSession(const ConsoleScanSession&) = delete;
    ConsoleScanSession& operator=(const ConsoleScanSession&) = delete;

    void Run();

    bool Aborted() const { return session_.Engine().WasAborted(); }
    const ScanCounters& Counters() const { return session_.Counters(); }
    // The sections of the scan, in table order.
    const std::vector<ScanSection*>& ScannedSections() { return session_.Driver().ScanList(); }
    const UnreadableKeys& Unreadable() const { return unreadable_; }
    // Every filed problem, section by section in table order.
    std::vector<const ProblemRecord*> Problems();
    // The scan's JSON document: the sections, whose registry was scanned ("account"), and the
    // drives the shortcut scan left out ("notes").
    nlohmann::ordered_json ReportJson();

private:
    // The text report: each filed problem as it comes and each section's end as the scan leaves it.
    class TextReport : public ScanEvents {
    public:
        TextReport(std::FILE* out, ConsoleProgress& progress) : out_(out), progress_(progress) {}
        void SectionStarted(const ScanSection& section) override;
        void SectionEnded(const ScanSection& section, SectionEnd end, int problems) override;
        void ProblemFiled(const ScanSection& section, const ProblemRecord& problem,
                          const ScanCounters& counters) override;

        std::string shortcutNote;  // printed when the shortcut section starts

    private:
        void Print(const std::string& text);
        std::FILE* out_;
        ConsoleProgress& progress_;
    };

    Preferences preferences_;
    ScanLog scanLog_;
    BufferedScanLog bufferedLog_;
    NoScanLog noLog_;
    ScanLogWriter& log_;
    ConsoleScanHost host_;
    ConsoleProgress progress_;
    TextReport report_;
    ScanSession session_;
    UnreadableKeys unreadable_;
    std::FILE* textReport_;
    ScanningAccount account_;
    std::vector<std::string> notFixedDisks_;  // the chosen drives the shortcut scan passes over
};
