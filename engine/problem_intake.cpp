#include "engine/problem_intake.h"

#include "engine/exclusion_list.h"
#include "engine/problem_risk.h"
#include "base/text_format.h"

std::string ProblemLogLine(const ScanSection& section, const ProblemRecord& record) {
    // Joined rather than formatted: the console makes this text twice for every problem.
    if (const RegistryProblem* problem = record.AsRegistry()) {
        // "Section : %s \r\nKey : %s\%s\r\nValueName : %s\r\nValue : %s\r\n\r\n"
        return Joined({"Section : ", section.name, " \r\nKey : ", RootKeyName(problem->rootKey), "\\", problem->keyPath,
                       "\r\nValueName : ", problem->valueName, "\r\nValue : ", problem->valueData, "\r\n\r\n"});
    }
    // "Section : %s\r\nLink Path = %s\r\nTarget Path = %s\r\n\r\n"
    const FileProblem& problem = std::get<FileProblem>(record.item);
    return Joined({"Section : ", section.name, "\r\nLink Path = ", problem.linkPath,
                   "\r\nTarget Path = ", problem.targetPath, "\r\n\r\n"});
}

ScanSection* ProblemIntake::ScannedSection(SectionId id) const {
    for (ScanSection* section : scanList_) {
        if (section->id == id) return section;
    }
    return nullptr;
}

const ScanSection* ProblemIntake::AcceptProblem(ProblemPtr record) {
    // Only consistent records are filed: the results, the log and the removal rely on it.
    if (!record || !IsConsistent(*record) || IsExcluded(*record) || IsSystemSetting(*record)) return nullptr;
    // A problem of a section that is not being scanned is not counted either.
    ScanSection* section = ScannedSection(record->sectionId);
    if (section == nullptr) return nullptr;
    if (AnyHolds(ignored_, *record)) {
        ++section->ignored;
        return nullptr;
    }
    const RiskJudgement judged = JudgeRisk(*record, windowsFolder_);
    record->risk = judged.risk;
    record->riskReason = judged.reason;
    ++counters_.totalProblems;
    if (section->problems.empty()) ++counters_.affectedSections;
    const std::string line = ProblemLogLine(*section, *record);
    section->problems.push_back(std::move(record));
    log_.AppendLine(line);
    events_.ProblemFiled(*section, *section->problems.back(), counters_);
    return section;
}
