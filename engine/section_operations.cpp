#include "engine/section_operations.h"

#include <array>

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
        case 2: return kStaticDrivers;
        case 3: return kFonts;
        case 4: return kSounds;
        case 5: return kAssociations;
        case 6: return kServices;
        case 7: return kHelpFiles;
        case 8: return kSharedFiles;
        case 9: return kApplicationPaths;
        case 10: return kUninstall;
        case 11: return kComponents;
        case 13: return kFullRegistry;
        case 14: return kShortcuts;
        default: return {};
    }
}
