#pragma once
// The scan sections with their state during a scan, made from the section descriptors in their order.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/problem_record.h"
#include "engine/section_descriptors.h"

struct ScanSection {
    SectionId id = 0;
    std::string name;
    std::string description;
    int32_t included = 0;
    Severity severity = Severity::Moderate;
    std::vector<ProblemPtr> problems;
    int32_t ignored = 0;  // problems of the scan that the user's ignore list left out

    int ProblemCount() const { return static_cast<int>(problems.size()); }
    // Whether a problem is ticked for removal is kept by the problem alone; a section is ticked
    // while any of its problems is. Ticking all ticks the safe problems: one to review is ticked
    // only on its own, and keeps the tick the user gave it. Unticking all unticks every problem.
    void TickAll(bool ticked);
    bool AnyTicked() const;
};

class SectionTable {
public:
    // includedOf gives each section's stored choice (0 when none is stored).
    explicit SectionTable(const std::function<int32_t(SectionId)>& includedOf);

    std::vector<ScanSection>& Sections() { return sections_; }
    const std::vector<ScanSection>& Sections() const { return sections_; }
    ScanSection* Find(SectionId id);
    // Whether the pointer is one of this table's sections (a list row's data may be anything).
    bool Owns(const ScanSection* section) const;
    // Frees every problem record of every section and forgets the ignored counts.
    void ClearProblems();
    // The included sections that hold problems, in table order: what the results show.
    std::vector<const ScanSection*> ResultSections() const;

private:
    std::vector<ScanSection> sections_;
};
