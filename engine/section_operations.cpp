#include "engine/section_operations.h"

#include <array>

#include "engine/section_table.h"

namespace {
using enum ScanOperation;
constexpr std::array<OperationStep, 1> kStaticDrivers{{{StaticDrivers, true}}};
constexpr std::array<OperationStep, 1> kFonts{{{Fonts, true}}};
constexpr std::array<OperationStep, 1> kSounds{{{Sounds, true}}};
constexpr std::array<OperationStep, 2> kAssociations{{{OpenWith, false}, {Extensions, true}}};
constexpr std::array<OperationStep, 1> kServices{{{Services, true}}};
constexpr std::array<OperationStep, 1> kHelpFiles{{{HelpFiles, true}}};
constexpr std::array<OperationStep, 1> kSharedFiles{{{SharedFiles, true}}};
constexpr std::array<OperationStep, 1> kApplicationPaths{{{ApplicationPaths, true}}};
constexpr std::array<OperationStep, 1> kUninstall{{{Uninstall, true}}};
constexpr std::array<OperationStep, 2> kComponents{{{TypeLibraries, true}, {ComClasses, true}}};
constexpr std::array<OperationStep, 4> kFullRegistry{
    {{WalkLocalMachine, true}, {WalkCurrentUser, true}, {WalkUsers, false}, {UsageHistory, false}}};
constexpr std::array<OperationStep, 1> kShortcuts{{{Shortcuts, true}}};
}  // namespace

std::span<const OperationStep> SectionOperations(SectionId id) {
    switch (id) {
        case kStaticDriversSection: return kStaticDrivers;
        case kFontsSection: return kFonts;
        case kSoundsSection: return kSounds;
        case kAssociationsSection: return kAssociations;
        case kServicesSection: return kServices;
        case kHelpFilesSection: return kHelpFiles;
        case kSharedFilesSection: return kSharedFiles;
        case kApplicationPathsSection: return kApplicationPaths;
        case kUninstallSection: return kUninstall;
        case kComSection: return kComponents;
        case kFullRegistrySection: return kFullRegistry;
        case kShortcutsSection: return kShortcuts;
        default: return {};
    }
}
