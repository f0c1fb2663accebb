#pragma once
// The thirteen fixed scan sections, in the order of scanning and of every list that shows them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/problem_record.h"

enum class Severity : int32_t { Moderate = 0, Severe = 1, Critical = 2 };

struct ScanSection {
    SectionId id = 0;
    std::string name;
    std::string description;
    int32_t included = 0;
    Severity severity = Severity::Moderate;
    std::vector<ProblemPtr> problems;

    int ProblemCount() const { return static_cast<int>(problems.size()); }
    // Whether a problem is ticked for removal is kept by the problem alone; a section is ticked
    // while any of its problems is.
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
    // Frees every problem record of every section.
    void ClearProblems();
    // The included sections that hold problems, in table order: what the results show.
    std::vector<const ScanSection*> ResultSections() const;

private:
    std::vector<ScanSection> sections_;
};

inline constexpr SectionId kStartupProgramsSection = 1;
inline constexpr SectionId kStaticDriversSection = 2;
inline constexpr SectionId kFontsSection = 3;
inline constexpr SectionId kSoundsSection = 4;
inline constexpr SectionId kAssociationsSection = 5;
inline constexpr SectionId kServicesSection = 6;
inline constexpr SectionId kHelpFilesSection = 7;
inline constexpr SectionId kSharedFilesSection = 8;
inline constexpr SectionId kApplicationPathsSection = 9;
inline constexpr SectionId kUninstallSection = 10;
inline constexpr SectionId kComSection = 11;           // the COM classes and the type libraries
inline constexpr SectionId kFullRegistrySection = 13;  // the three hives' walks and the usage history
inline constexpr SectionId kShortcutsSection = 14;
