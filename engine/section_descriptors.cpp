#include "engine/section_descriptors.h"

#include <array>

namespace {
using enum ScanOperation;
constexpr OperationStep kStaticDriverSteps[] = {{StaticDrivers, true}};
constexpr OperationStep kFontSteps[] = {{Fonts, true}};
constexpr OperationStep kSoundSteps[] = {{Sounds, true}};
constexpr OperationStep kAssociationSteps[] = {{OpenWith, false}, {Extensions, true}, {FileTypes, true}};
constexpr OperationStep kServiceSteps[] = {{Services, true}};
constexpr OperationStep kHelpFileSteps[] = {{HelpFiles, true}};
constexpr OperationStep kSharedFileSteps[] = {{SharedFiles, true}};
constexpr OperationStep kApplicationPathSteps[] = {{ApplicationPaths, true}};
constexpr OperationStep kUninstallSteps[] = {{Uninstall, true}};
constexpr OperationStep kComSteps[] = {{TypeLibraries, true}, {ComClasses, true}};
constexpr OperationStep kFullRegistrySteps[] = {
    {WalkLocalMachine, true}, {WalkCurrentUser, true}, {WalkUsers, false}, {UsageHistory, false}};
constexpr OperationStep kShortcutSteps[] = {{Shortcuts, true}};

constexpr SectionListKey kStaticDriverKeys[] = {{kLocalMachine, "SYSTEM\\CurrentControlSet\\Services\\VXD"}};
constexpr SectionListKey kAssociationKeys[] = {{kClassesRoot, "", true},
                                               {kCurrentUser, "Software\\Classes"},
                                               {kCurrentUser, "Software\\Classes\\Applications"},
                                               {kCurrentUser, "Software\\Classes\\Wow6432Node"},
                                               {kLocalMachine, "SOFTWARE\\Classes"},
                                               {kLocalMachine, "SOFTWARE\\Classes\\Applications"},
                                               {kLocalMachine, "SOFTWARE\\Classes\\Wow6432Node"},
                                               {kLocalMachine, "SOFTWARE\\Classes\\Wow6432Node\\Applications"}};
constexpr SectionListKey kServiceKeys[] = {{kLocalMachine, "SYSTEM\\CurrentControlSet\\Services"}};
// Each list key of a section whose problems are keys, in both registry views.
constexpr SectionListKey kApplicationPathKeys[] = {
    {kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"},
    {kLocalMachine, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths"}};
constexpr SectionListKey kUninstallKeys[] = {
    {kLocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"},
    {kLocalMachine, "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall"}};
// The class trees' own forms of the same keys keep the file-type removals below the classes.
constexpr SectionListKey kComKeys[] = {{kClassesRoot, "TypeLib"},
                                       {kClassesRoot, "CLSID"},
                                       {kClassesRoot, "Wow6432Node\\CLSID"},
                                       {kLocalMachine, "SOFTWARE\\Classes\\TypeLib"},
                                       {kLocalMachine, "SOFTWARE\\Classes\\CLSID"},
                                       {kLocalMachine, "SOFTWARE\\Classes\\Wow6432Node\\CLSID"},
                                       {kCurrentUser, "Software\\Classes\\CLSID"}};

constexpr std::array<SectionDescriptor, 13> kSections{{
    {kStartupProgramsSection,
     "Startup Programs",
     "This Section contains the list of programs that are scheduled to run at startup.",
     Severity::Moderate,
     {},
     {}},
    {kStaticDriversSection, "VXD Files",
     "This Section has a list of VXD(System Drivers) files to load at windows startup.", Severity::Critical,
     kStaticDriverSteps, kStaticDriverKeys},
    {kFontsSection,
     "Installed Fonts",
     "This Section contains a list of all the fonts installed on the pc.",
     Severity::Severe,
     kFontSteps,
     {}},
    {kSoundsSection,
     "Installed Sound Files",
     "This Section contains a list of all the sound files installed on the pc.",
     Severity::Severe,
     kSoundSteps,
     {}},
    {kAssociationsSection, "File Associations",
     "This Section contains all the File Association data, this data is used to associate files with the "
     "Executables",
     Severity::Critical, kAssociationSteps, kAssociationKeys},
    {kServicesSection, "Installed System Services",
     "This Section contains all the System Services installed on the pc.", Severity::Critical, kServiceSteps,
     kServiceKeys},
    {kHelpFilesSection,
     "Installed Help Files",
     "This Section contains the locations of system help files installed.",
     Severity::Severe,
     kHelpFileSteps,
     {}},
    {kSharedFilesSection,
     "Shared Program Files",
     "This Section contains the locations of Shared Program Files. These Program Files are shared by many "
     "applications.",
     Severity::Severe,
     kSharedFileSteps,
     {}},
    {kApplicationPathsSection, "Application Paths", "This Section contains the list of Applications path.",
     Severity::Moderate, kApplicationPathSteps, kApplicationPathKeys},
    {kUninstallSection, "Add Remove Programs", "This Section contains the list of all the installed applications.",
     Severity::Severe, kUninstallSteps, kUninstallKeys},
    {kComSection, "ActiveX/COM Program ID",
     "This Section contains the list of COM/ActiveX Components used by many applications.", Severity::Critical,
     kComSteps, kComKeys},
    {kFullRegistrySection,
     "Full Registry Scan",
     "This Section contains all the paths scattered in the registry, Causing general system instability.",
     Severity::Severe,
     kFullRegistrySteps,
     {}},
    {kShortcutsSection,
     "Invalid Program Shortcuts",
     "This Section contains all the Program Shortcuts on the Hard Disk Drive",
     Severity::Critical,
     kShortcutSteps,
     {}},
}};
}  // namespace

std::span<const SectionDescriptor> SectionDescriptors() { return kSections; }

const SectionDescriptor* FindSectionDescriptor(SectionId id) {
    for (const SectionDescriptor& section : kSections) {
        if (section.id == id) return &section;
    }
    return nullptr;
}
