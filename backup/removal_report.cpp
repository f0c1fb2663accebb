#include "backup/removal_report.h"

#include <map>

#include "base/text_format.h"

namespace {
// More kept items than this are counted, not listed, so the message still fits the screen.
constexpr size_t kListedItems = 10;
}  // namespace

const char* KeptReasonText(KeptReason reason) {
    switch (reason) {
        case KeptReason::BackupIncomplete: return "backup incomplete";
        case KeptReason::LineBreak: return "a line break in its name, path or data cannot be backed up";
        case KeptReason::OutsideListKey: return "not below the list key its section scans";
        case KeptReason::AccessDenied: return "access denied";
        case KeptReason::DeleteFailed: return "could not be deleted";
        case KeptReason::BackupNotWritten: return "the backup could not be written";
        case KeptReason::BackupUnreadable: return "its backup does not read back";
        case KeptReason::Changed: return "changed since the scan";
        case KeptReason::InexactName: return "its name cannot be read exactly";
        case KeptReason::Aborted: return "the removal was aborted";
    }
    return "";
}

std::string ProblemItemText(const ProblemRecord& problem) {
    if (const FileProblem* file = problem.AsFile()) return file->linkPath;
    const RegistryProblem& registry = std::get<RegistryProblem>(problem.item);
    const std::string key = RootKeyName(registry.rootKey) + "\\" + registry.keyPath;
    if (registry.scope == RemovalScope::Key) return key;
    return key + " (value \"" + registry.valueName + "\")";
}

std::string RemovalSummaryText(const RemovalReport& report) {
    if (report.backupFailed) {
        return "The backup could not be written, so nothing was removed.\r\n\r\n" + report.backupError;
    }
    if (report.kept.empty()) return kItemsRemovedText;
    std::string text = Format("Not all selected items were removed.\r\n\r\nRemoved: %d", report.removed);
    if (report.alreadyGone > 0) text += Format(" (%d of them already gone)", report.alreadyGone);
    text += Format("\r\nKept: %d\r\n", static_cast<int>(report.kept.size()));
    std::map<KeptReason, int> counts;
    for (const KeptItem& item : report.kept) ++counts[item.reason];
    for (const auto& [reason, count] : counts) text += Format("    %s: %d\r\n", KeptReasonText(reason), count);
    text += "\r\nKept items:\r\n";
    for (size_t i = 0; i < report.kept.size() && i < kListedItems; ++i) {
        const KeptItem& item = report.kept[i];
        text += (item.problem ? ProblemItemText(*item.problem) : std::string()) + " - " + KeptReasonText(item.reason);
        if (!item.detail.empty()) text += " (" + item.detail + ")";
        text += "\r\n";
    }
    if (report.kept.size() > kListedItems) {
        text += Format("and %d more\r\n", static_cast<int>(report.kept.size() - kListedItems));
    }
    return text;
}
