#pragma once
// Which scan operations serve which section, and whether their result ends the scan.
#include <span>

#include "engine/problem_record.h"

enum class ScanOperation {
    StaticDrivers,
    Fonts,
    Sounds,
    OpenWith,
    Extensions,
    FileTypes,
    Services,
    HelpFiles,
    SharedFiles,
    ApplicationPaths,
    Uninstall,
    TypeLibraries,
    ComClasses,
    WalkLocalMachine,
    WalkCurrentUser,
    WalkUsers,
    UsageHistory,
    Shortcuts,
};

// A tested step that returns false marks its section aborted and ends the scan, so the
// steps after it never run; an untested step's result is ignored.
struct OperationStep {
    ScanOperation operation;
    bool tested;
};

// The steps of a section in order; empty for the startup section and for unknown ids.
std::span<const OperationStep> SectionOperations(SectionId id);
