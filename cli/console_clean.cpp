#include "cli/console_clean.h"

#include <nlohmann/json.hpp>
#include <set>
#include <vector>

#include "backup/problem_removal.h"
#include "base/text_format.h"
#include "cli/ansi_text.h"
#include "cli/console_scan.h"
#include "cli/console_scan_session.h"
#include "cli/scan_report.h"
#include "engine/wow64.h"

namespace {
void Print(std::FILE* out, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out);
    std::fflush(out);
}

// The problems a clean removes, and those it leaves for the user to review one by one.
struct CleanChoice {
    std::vector<const ProblemRecord*> removed;
    std::vector<const ProblemRecord*> leftForReview;
};

CleanChoice ChooseProblems(const std::vector<const ProblemRecord*>& problems, bool includeReview) {
    CleanChoice choice;
    for (const ProblemRecord* problem : problems) {
        const bool removed = includeReview || problem->risk == Risk::Safe;
        (removed ? choice.removed : choice.leftForReview).push_back(problem);
    }
    return choice;
}

std::string LeftForReviewText(const std::vector<const ProblemRecord*>& left) {
    std::string text = Format("Left for review : %d\r\n", static_cast<int>(left.size()));
    for (const ProblemRecord* problem : left) {
        text += "Review item : " + ProblemItemText(*problem) + " - " + problem->riskReason + "\r\n";
    }
    return text;
}

// CR LF line ends, as the scan's text report above it has.
std::string TextReport(const RemovalReport& report) {
    if (report.backupFailed) return RemovalSummaryText(report) + "\r\n";
    std::string text = "Backup : " + (report.archivePath.empty() ? std::string("none") : report.archivePath) + "\r\n";
    text += Format("Removed : %d\r\nKept : %d\r\n", report.removed, static_cast<int>(report.kept.size()));
    for (const KeptItem& item : report.kept) {
        text += "Kept item : " + ProblemItemText(*item.problem) + " - " + KeptReasonText(item.reason);
        if (!item.detail.empty()) text += " (" + item.detail + ")";
        text += "\r\n";
    }
    return text;
}

void AddRemoval(nlohmann::ordered_json& document, const RemovalReport& report,
                const std::vector<const ProblemRecord*>& leftForReview) {
    document["archive"] =
        report.archivePath.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(AnsiToUtf8(report.archivePath));
    document["removed"] = report.removed;
    nlohmann::ordered_json kept = nlohmann::ordered_json::array();
    for (const KeptItem& item : report.kept) {
        nlohmann::ordered_json problem = ProblemJson(*item.problem, AnsiToUtf8);
        problem["reason"] = KeptReasonText(item.reason);
        if (!item.detail.empty()) problem["detail"] = AnsiToUtf8(item.detail);
        kept.push_back(std::move(problem));
    }
    document["kept"] = std::move(kept);
    nlohmann::ordered_json left = nlohmann::ordered_json::array();
    for (const ProblemRecord* problem : leftForReview) left.push_back(ProblemJson(*problem, AnsiToUtf8));
    document["leftForReview"] = std::move(left);
    if (report.backupFailed) document["backupError"] = AnsiToUtf8(report.backupError);
}

struct CleanRound {
    int status = kExitClean;
    bool foundNew = false;
    nlohmann::ordered_json document;  // for --json
};

// One scan, and the removal of what it found that no earlier round found; seen grows by it.
CleanRound CleanOnce(const ConsoleCleanOptions& options, std::set<std::string>& seen) {
    const bool json = options.scan.json;
    ConsoleScanSession session(options.scan, options.osName, *options.interrupted, json ? nullptr : options.out,
                               options.err);
    session.Run();
    const bool aborted = session.Aborted();
    std::vector<const ProblemRecord*> fresh;
    std::vector<std::string> found;
    for (const ProblemRecord* problem : session.Problems()) {
        found.push_back(ProblemItemText(*problem));
        if (seen.count(found.back()) == 0) fresh.push_back(problem);
    }
    seen.insert(found.begin(), found.end());
    RemovalReport report;
    const CleanChoice choice = ChooseProblems(fresh, options.includeReview);
    // An aborted scan removes nothing, and nothing to remove needs no archive.
    if (!aborted && !choice.removed.empty()) {
        BackupSet backup;
        backup.SetBackupFolder(options.backupFolder);
        report = RemoveProblems(choice.removed, {options.backup ? &backup : nullptr, &SectionListKeys(), IsWow64()});
    }
    CleanRound round;
    round.foundNew = !fresh.empty();
    if (json) {
        round.document =
            ScanReportJson(session.ScannedSections(), session.Counters(), aborted, AnsiToUtf8, &session.Unreadable());
        AddRemoval(round.document, report, choice.leftForReview);
    } else {
        Print(options.out, TextSummary(session.Counters(), aborted));
        Print(options.out, aborted ? std::string("Nothing was removed: the scan was aborted.\r\n")
                                   : TextReport(report) + LeftForReviewText(choice.leftForReview));
    }
    if (aborted) round.status = kExitAborted;
    else if (report.backupFailed) round.status = kExitBackupFailed;
    else if (!report.kept.empty()) round.status = kExitSomeKept;
    return round;
}
}  // namespace

int RunConsoleClean(const ConsoleCleanOptions& options) {
    std::set<std::string> seen;
    nlohmann::ordered_json rounds = nlohmann::ordered_json::array();
    int status = kExitClean;
    for (int number = 1; number <= (options.repeat ? kMaxCleanRounds : 1); ++number) {
        if (number > 1 && !options.scan.json) Print(options.out, Format("\r\nRound %d\r\n", number));
        CleanRound round = CleanOnce(options, seen);
        rounds.push_back(std::move(round.document));
        if (round.status == kExitAborted || round.status == kExitBackupFailed) {
            status = round.status;
            break;
        }
        if (round.status == kExitSomeKept) status = kExitSomeKept;
        if (!round.foundNew) break;
    }
    if (options.scan.json) {
        nlohmann::ordered_json document;
        if (options.repeat) document["rounds"] = std::move(rounds);
        Print(options.out, JsonText(options.repeat ? document : rounds.front()));
    }
    return status;
}
