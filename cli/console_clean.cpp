#include "cli/console_print.h"
#include "cli/console_clean.h"

#include <nlohmann/json.hpp>
#include <set>
#include <vector>

#include "backup/file_bytes.h"
#include "backup/problem_removal.h"
#include "base/text_format.h"
#include "cli/ansi_text.h"
#include "cli/console_scan.h"
#include "cli/console_scan_session.h"
#include "cli/listed_report.h"
#include "cli/report_output.h"
#include "cli/scan_report.h"
#include "engine/wow64.h"

namespace {
// Why a listed problem that a new scan no longer finds is left as it is; in a section with keys it
// could not open, it may only be out of the scan's sight.
constexpr const char* kNotFoundReason = "no longer stale or no longer there";
constexpr const char* kNotScannedReason = "not found again: its section could not be scanned whole (access denied)";
// A report larger than this is no document of a scan of one machine.
constexpr uint64_t kReportSizeLimit = 512ull * 1024 * 1024;

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

// A listed problem that the new scan did not find, and why it is left.
struct NotFound {
    const ListedProblem* problem;
    const char* reason;
};

std::string NotFoundText(const std::vector<NotFound>& notFound) {
    std::string text = Format("Not found : %d\r\n", static_cast<int>(notFound.size()));
    for (const NotFound& item : notFound) {
        text += "Not found item : " + ProblemItemText(item.problem->record) + " - " + item.reason + "\r\n";
    }
    return text;
}

nlohmann::ordered_json NotFoundJson(const std::vector<NotFound>& notFound) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const NotFound& item : notFound) {
        nlohmann::ordered_json object = item.problem->object;
        object["reason"] = item.reason;
        list.push_back(std::move(object));
    }
    return list;
}

// The problems of a scan that a round goes on with, and for a report the listed problems the
// scan did not find again.
struct Judged {
    std::vector<const ProblemRecord*> problems;
    std::set<std::string> identities;  // of the problems found again
    std::vector<NotFound> notFound;
};

// The problems that no earlier round found; seen grows by them.
Judged NewProblems(ConsoleScanSession& session, std::set<std::string>& seen) {
    Judged judged;
    std::vector<std::string> found;
    for (const ProblemRecord* problem : session.Problems()) {
        found.push_back(ProblemItemText(*problem));
        if (seen.count(found.back()) == 0) judged.problems.push_back(problem);
    }
    seen.insert(found.begin(), found.end());
    return judged;
}

// The problems of the scan that the report lists, each judged again by the scan. An aborted scan
// judges none of the others.
Judged ListedProblems(ConsoleScanSession& session, const ListedReport& listed) {
    std::vector<std::string> listedIdentities;
    for (const ListedProblem& problem : listed.problems) {
        listedIdentities.push_back(ProblemIdentity(problem.record.sectionId, problem.object));
    }
    const std::set<std::string> wanted(listedIdentities.begin(), listedIdentities.end());
    Judged judged;
    for (const ScanSection* section : session.ScannedSections()) {
        for (const ProblemPtr& problem : section->problems) {
            const std::string identity = ProblemIdentity(section->id, ProblemJson(*problem, AnsiToUtf8));
            if (identity.empty() || wanted.count(identity) == 0) continue;
            judged.problems.push_back(problem.get());
            judged.identities.insert(identity);
        }
    }
    if (session.Aborted()) return judged;
    for (size_t i = 0; i < listed.problems.size(); ++i) {
        const ListedProblem& problem = listed.problems[i];
        if (judged.identities.count(listedIdentities[i]) > 0) continue;
        const bool unseen = !session.Unreadable().Of(problem.record.sectionId).empty();
        judged.notFound.push_back({&problem, unseen ? kNotScannedReason : kNotFoundReason});
    }
    return judged;
}

struct CleanRound {
    int status = kExitClean;
    bool foundNew = false;
    nlohmann::ordered_json document;  // when the command wants one
};

// One scan, and the removal of what it found that no earlier round found (or, with a report, of
// what the report lists and the scan found again).
CleanRound CleanOnce(const ConsoleCleanOptions& options, std::set<std::string>& seen, const ListedReport* listed) {
    const ScanCommand& scan = options.scan;
    // With a report, the scan's own problems are not the clean's: only what it does with the listed ones is printed.
    ConsoleScanSession session(scan, options.osName, *options.interrupted,
                               scan.PrintsTextReport() && listed == nullptr ? options.out : nullptr);
    session.Run();
    const bool aborted = session.Aborted();
    const Judged judged = listed ? ListedProblems(session, *listed) : NewProblems(session, seen);
    RemovalReport report;
    const CleanChoice choice = ChooseProblems(judged.problems, options.includeReview);
    // An aborted scan removes nothing, and nothing to remove needs no archive.
    if (!aborted && !choice.removed.empty()) {
        BackupSet backup;
        backup.SetBackupFolder(options.backupFolder);
        report = RemoveProblems(choice.removed, {options.backup ? &backup : nullptr, &SectionListKeys(), IsWow64()});
    }
    CleanRound round;
    round.foundNew = !judged.problems.empty();
    if (scan.NeedsDocument()) {
        round.document = session.ReportJson();
        if (listed) KeepListedProblems(round.document, judged.identities);
        AddRemoval(round.document, report, choice.leftForReview);
        if (listed) round.document["notFound"] = NotFoundJson(judged.notFound);
    }
    if (scan.PrintsTextReport()) {
        if (listed) {
            Print(options.out,
                  Format("Listed Problems : %d\r\nFound Again : %d\r\n", static_cast<int>(listed->problems.size()),
                         static_cast<int>(judged.problems.size())));
        } else {
            Print(options.out, TextSummary(session.Counters(), aborted));
        }
        Print(options.out, aborted ? std::string("Nothing was removed: the scan was aborted.\r\n")
                                   : TextReport(report) + (listed ? NotFoundText(judged.notFound) : std::string()) +
                                         LeftForReviewText(choice.leftForReview));
    }
    if (aborted) round.status = kExitAborted;
    else if (report.backupFailed) round.status = kExitBackupFailed;
    else if (!report.kept.empty()) round.status = kExitSomeKept;
    return round;
}

// The report that --from names, or none after its line on err.
std::optional<ListedReport> ReadReport(const std::string& path, std::FILE* err) {
    const FileRead file = ReadFileBytes(path, kReportSizeLimit);
    std::string error = file.status == FileRead::Status::Gone ? "there is no such file" : file.error;
    std::optional<ListedReport> report;
    if (file.status == FileRead::Status::Read) report = ReadListedReport(file.bytes, error);
    if (!report) Print(err, "tidrex: clean --from: " + path + ": " + error + "; nothing was removed\n");
    return report;
}
}  // namespace

int RunConsoleClean(const ConsoleCleanOptions& given) {
    ConsoleCleanOptions options = given;
    std::optional<ListedReport> listed;
    if (!options.fromReport.empty()) {
        listed = ReadReport(options.fromReport, options.err);
        if (!listed) return kExitUsage;
        options.scan.selection = ScanCommand::Selection::Listed;
        options.scan.sections = listed->sections;
    }
    if (const int status = CheckReportPath(options.scan, options.err); status != kExitClean) return status;
    std::set<std::string> seen;
    nlohmann::ordered_json rounds = nlohmann::ordered_json::array();
    int status = kExitClean;
    for (int number = 1; number <= (options.repeat ? kMaxCleanRounds : 1); ++number) {
        if (number > 1 && options.scan.PrintsTextReport()) Print(options.out, Format("\r\nRound %d\r\n", number));
        CleanRound round = CleanOnce(options, seen, listed ? &*listed : nullptr);
        rounds.push_back(std::move(round.document));
        if (round.status == kExitAborted || round.status == kExitBackupFailed) {
            status = round.status;
            break;
        }
        if (round.status == kExitSomeKept) status = kExitSomeKept;
        if (!round.foundNew) break;
    }
    if (!options.scan.NeedsDocument()) return status;
    nlohmann::ordered_json document;
    if (options.repeat) document["rounds"] = std::move(rounds);
    return DeliverDocument(options.scan, options.repeat ? document : rounds.front(), "clean", status, options.out,
                           options.err);
}
