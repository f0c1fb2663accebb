#include "engine/problem_intake.h"

#include "engine/exclusion_list.h"
#include "base/text_format.h"

std::string ProblemLogLine(const ScanSection& section, const ProblemRecord& record) {
    if (const RegistryProblem* problem = record.AsRegistry()) {
        return Format("Section : %s \r\nKey : %s\\%s\r\nValueName : %s\r\nValue : %s\r\n\r\n", section.name.c_str(),
                      RootKeyName(problem->rootKey).c_str(), problem->keyPath.c_str(), problem->valueName.c_str(),
                      problem->valueData.c_str());
    }
    const FileProblem* problem = record.AsFile();
    return Format("Section : %s\r\nLink Path = %s\r\nTarget Path = %s\r\n\r\n", section.name.c_str(),
                  problem ? problem->linkPath.c_str() : "", problem ? problem->targetPath.c_str() : "");
}

ScanSection* ProblemIntake::RowSection(SectionId id) const {
    for (int row = 0; row < page_.ScanRowCount(); ++row) {
        ScanSection* section = page_.ScanRowSection(row);
        if (section && section->id == id) return section;
    }
    return nullptr;
}

const ScanSection* ProblemIntake::AcceptProblem(ProblemPtr record) {
    if (!record || IsExcluded(*record)) return nullptr;
    // A problem of a section that is not being scanned is not counted either.
    ScanSection* section = RowSection(record->sectionId);
    if (section == nullptr) return nullptr;
    ++counters_.totalProblems;
    page_.ShowTotalProblems(Format("Total Problems : %d", counters_.totalProblems));
    page_.SetScanRowText(section->scanRow, kScanCountColumn, Format("%d", section->ProblemCount() + 1));
    if (section->problems.empty()) {
        ++counters_.affectedSections;
        page_.ShowAffectedSections(Format("Affected Sections : %d", counters_.affectedSections));
    }
    const std::string line = ProblemLogLine(*section, *record);
    section->problems.push_back(std::move(record));
    log_.AppendLine(line);
    return section;
}
