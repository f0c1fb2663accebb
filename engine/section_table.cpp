#include "engine/section_table.h"

#include <algorithm>
#include <array>

namespace {
struct SectionRow {
    SectionId id;
    const char* name;
    Severity severity;
    const char* description;
};

constexpr std::array<SectionRow, 13> kSectionRows{{
    {kStartupProgramsSection, "Startup Programs", Severity::Moderate,
     "This Section contains the list of programs that are scheduled to run at startup."},
    {kStaticDriversSection, "VXD Files", Severity::Critical,
     "This Section has a list of VXD(System Drivers) files to load at windows startup."},
    {kFontsSection, "Installed Fonts", Severity::Severe,
     "This Section contains a list of all the fonts installed on the pc."},
    {kSoundsSection, "Installed Sound Files", Severity::Severe,
     "This Section contains a list of all the sound files installed on the pc."},
    {kAssociationsSection, "File Associations", Severity::Critical,
     "This Section contains all the File Association data, this data is used to associate files with the "
     "Executables"},
    {kServicesSection, "Installed System Services", Severity::Critical,
     "This Section contains all the System Services installed on the pc."},
    {kHelpFilesSection, "Installed Help Files", Severity::Severe,
     "This Section contains the locations of system help files installed."},
    {kSharedFilesSection, "Shared Program Files", Severity::Severe,
     "This Section contains the locations of Shared Program Files. These Program Files are shared by many "
     "applications."},
    {kApplicationPathsSection, "Application Paths", Severity::Moderate,
     "This Section contains the list of Applications path."},
    {kUninstallSection, "Add Remove Programs", Severity::Severe,
     "This Section contains the list of all the installed applications."},
    {kComSection, "ActiveX/COM Program ID", Severity::Critical,
     "This Section contains the list of COM/ActiveX Components used by many applications."},
    {kFullRegistrySection, "Full Registry Scan", Severity::Severe,
     "This Section contains all the paths scattered in the registry, Causing general system instability."},
    {kShortcutsSection, "Invalid Program Shortcuts", Severity::Critical,
     "This Section contains all the Program Shortcuts on the Hard Disk Drive"},
}};
}  // namespace

void ScanSection::TickAll(bool ticked) {
    for (auto& problem : problems) problem->checked = ticked ? 1 : 0;
}

bool ScanSection::AnyTicked() const {
    return std::any_of(problems.begin(), problems.end(), [](const ProblemPtr& problem) { return problem->checked; });
}

SectionTable::SectionTable(const std::function<int32_t(SectionId)>& includedOf) {
    sections_.reserve(kSectionRows.size());
    for (const SectionRow& row : kSectionRows) {
        ScanSection section;
        section.id = row.id;
        section.name = row.name;
        section.description = row.description;
        section.severity = row.severity;
        section.included = includedOf(row.id);
        sections_.push_back(std::move(section));
    }
}

bool SectionTable::Owns(const ScanSection* section) const {
    return std::any_of(sections_.begin(), sections_.end(),
                       [section](const ScanSection& own) { return &own == section; });
}

ScanSection* SectionTable::Find(SectionId id) {
    for (ScanSection& section : sections_) {
        if (section.id == id) return &section;
    }
    return nullptr;
}

void SectionTable::ClearProblems() {
    for (ScanSection& section : sections_) section.problems.clear();
}

std::vector<const ScanSection*> SectionTable::ResultSections() const {
    std::vector<const ScanSection*> shown;
    for (const ScanSection& section : sections_) {
        if (section.included && !section.problems.empty()) shown.push_back(&section);
    }
    return shown;
}
