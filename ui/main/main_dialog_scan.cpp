// How the main window shows a scan: the scan page's list, labels, button and animation as the
// scan goes, then the end message and the results page.
#include <algorithm>

#include "base/text_format.h"
#include "registry/drive_types.h"
#include "resources/resource_ids.h"
#include "scanners/shortcut_text.h"
#include "ui/main/main_dialog.h"

namespace {
constexpr const char* kSectionEndTexts[] = {"Finished", "Aborted"};

// After the count, how many of the problems are to review, when any is.
std::string ReviewCountText(const ScanSection& section) {
    const auto review = std::count_if(section.problems.begin(), section.problems.end(),
                                      [](const ProblemPtr& problem) { return problem->risk == Risk::Review; });
    if (review == 0) return {};
    return Format("<font color=\"#B04A00\"> (Review : %d)</font>", static_cast<int>(review));
}
}  // namespace

void MainDialog::ShowStatus(const std::string& text) { host_.pathLabel.ShowPath(text); }

void MainDialog::ShowTotal(int totalProblems) {
    // The total changes with every problem; the label need not.
    latestTotal_ = Format("Total Problems : %d", totalProblems);
    totalsPacer_.Request([this] { SetDlgItemTextA(Window(), IDC_SCAN_TOTAL, latestTotal_.c_str()); });
}

void MainDialog::ShowAnimation(bool visible) {
    ShowWindow(Item(IDC_ANIMATION), visible ? SW_SHOW : SW_HIDE);
    if (visible) animation_.Draw();
    else animation_.Stop();
}

void MainDialog::ScanPrepared(const SectionTable& sections) {
    HideAllPages();
    ShowTotal(0);
    SetDlgItemTextA(Window(), IDC_SCAN_AFFECTED, "Affected Sections : 0");
    scanList_.Clear();
    for (const ScanSection& section : sections.Sections()) {
        if (section.included) scanList_.AddRow(section);
    }
    ShowStatus("Preparing to Scan");
    ShowScanPage(true);
    ShowAnimation(false);
    ShowStatus("Press Start to begin system scan");
    SetDlgItemTextA(Window(), IDC_START_ABORT, "Start Scan");
}

void MainDialog::ScanStarting() { SetDlgItemTextA(Window(), IDC_START_ABORT, "Abort"); }

void MainDialog::ScanRunning() { ShowAnimation(true); }

void MainDialog::SectionStarted(const ScanSection& section) {
    const int row = scanList_.RowOf(section.id);
    scanList_.EnsureVisible(row);
    scanList_.SetStatusImage(kStatusImageScanning, row);
    scanList_.SetText(row, kScanStatusColumn, "Scanning");
}

void MainDialog::SectionEnded(const ScanSection& section, SectionEnd end, int) {
    const int row = scanList_.RowOf(section.id);
    scanList_.SetText(row, kScanStatusColumn, kSectionEndTexts[static_cast<int>(end)]);
    if (end == SectionEnd::Done) scanList_.SetStatusImage(kStatusImageFinished, row);
}

void MainDialog::ProblemFiled(const ScanSection& section, const ProblemRecord&, const ScanCounters& counters) {
    ShowTotal(counters.totalProblems);
    scanList_.SetText(scanList_.RowOf(section.id), kScanCountColumn, Format("%d", section.ProblemCount()));
    if (section.ProblemCount() == 1) {
        SetDlgItemTextA(Window(), IDC_SCAN_AFFECTED,
                        Format("Affected Sections : %d", counters.affectedSections).c_str());
    }
}

void MainDialog::ScanEnded(const SectionTable&, const ScanCounters&, bool aborted) {
    ShowAnimation(false);
    const char* endText = aborted ? "Scan Aborted" : "Scan Complete";
    ShowStatus(endText);
    // A closing window has nobody to read it.
    if (!closing_) Message(endText + LeftOutDrivesNote());
    HideAllPages();
    ShowResults();
}

std::string MainDialog::LeftOutDrivesNote() {
    const ScanSection* shortcuts = Sections().Find(kShortcutsSection);
    if (!shortcuts || !shortcuts->included) return std::string();
    const std::string note = UnixRootDrivesNote(UnixRootDriveLetters(), "");
    return note.empty() ? note : "\n\n" + note;
}

void MainDialog::ShowResults() {
    resultsList_.ClearAll();
    for (const ScanSection* shown : Sections().ResultSections()) {
        ScanSection* section = Sections().Find(shown->id);  // the details dialog ticks its problems
        const std::string markup =
            Format("<b>Section Name : %s</b><br><font color=\"#FF0000\">Problems Found : %d</font>",
                   section->name.c_str(), section->ProblemCount()) +
            ReviewCountText(*section);
        const int row = resultsList_.AddRow(markup, section, section->AnyTicked());
        if (row >= 0) resultsList_.SetSeverity(row, static_cast<int>(section->severity));
    }
    SetDlgItemTextA(Window(), IDC_RESULTS_TOTAL, Format("Total Problems : %d", Counters().totalProblems).c_str());
    ShowResultsPage(true);
}

void MainDialog::ShowSectionTick(int row) {
    const auto* section = static_cast<const ScanSection*>(resultsList_.RowData(row));
    if (Sections().Owns(section)) resultsList_.SetChecked(row, section->AnyTicked());
}
