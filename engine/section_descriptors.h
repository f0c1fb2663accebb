#pragma once
// The thirteen fixed scan sections, in the order of scanning and of every list that shows them:
// each one's id, texts, severity, scan steps and the list keys its removals stay below.
#include <cstdint>
#include <span>

#include "engine/problem_record.h"
#include "engine/section_operations.h"
#include "registry/root_keys.h"

// The ids are also the numbers the settings store each section's choice under.
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

enum class Severity : int32_t { Moderate = 0, Severe = 1, Critical = 2 };

// A key a section scans the sub-keys of: its removals delete keys only strictly below it.
struct SectionListKey {
    RootKeyValue root;
    const char* path;            // below the root
    bool extensionKeys = false;  // instead: a key directly below the root whose name begins with "."
};

struct SectionDescriptor {
    SectionId id;
    const char* name;
    const char* description;
    Severity severity;
    std::span<const OperationStep> steps;      // empty for the startup section
    std::span<const SectionListKey> listKeys;  // empty for the sections whose problems are values
};

std::span<const SectionDescriptor> SectionDescriptors();
// Null for an id that names no section.
const SectionDescriptor* FindSectionDescriptor(SectionId id);
