#include "engine/section_table.h"

#include <algorithm>

void ScanSection::TickAll(bool ticked) {
    for (auto& problem : problems) {
        if (!ticked) problem->checked = 0;
        else if (problem->risk == Risk::Safe) problem->checked = 1;
    }
}

bool ScanSection::AnyTicked() const {
    return std::any_of(problems.begin(), problems.end(), [](const ProblemPtr& problem) { return problem->checked; });
}

SectionTable::SectionTable(const std::function<int32_t(SectionId)>& includedOf) {
    const std::span<const SectionDescriptor> descriptors = SectionDescriptors();
    sections_.reserve(descriptors.size());
    for (const SectionDescriptor& descriptor : descriptors) {
        ScanSection section;
        section.id = descriptor.id;
        section.name = descriptor.name;
        section.description = descriptor.description;
        section.severity = descriptor.severity;
        section.included = includedOf(descriptor.id);
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
    for (ScanSection& section : sections_) {
        section.problems.clear();
        section.ignored = 0;
    }
}

std::vector<const ScanSection*> SectionTable::ResultSections() const {
    std::vector<const ScanSection*> shown;
    for (const ScanSection& section : sections_) {
        if (section.included && !section.problems.empty()) shown.push_back(&section);
    }
    return shown;
}
