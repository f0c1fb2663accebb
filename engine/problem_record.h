#pragma once
// One problem found by a scan: a stale registry entry or a shortcut whose target is gone.
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "registry/root_keys.h"

using SectionId = int32_t;

// What a registry problem's removal takes: the value alone, or the key with its sub-tree.
enum class RemovalScope { Key, Value };

struct RegistryProblem {
    RootKeyValue rootKey = 0;
    std::string keyPath;
    std::string valueName;  // empty: the default value, or the whole key
    std::string valueData;
    RemovalScope scope = RemovalScope::Value;
};

struct FileProblem {
    std::string linkPath;    // the shortcut file; removal deletes it
    std::string targetPath;  // where it points
};

// Whether a problem may go with the others, or only when the user ticks it on its own.
enum class Risk { Safe, Review };

// A record is owned by exactly one party at a time; its item is always one of the two kinds.
struct ProblemRecord {
    int32_t checked = 0;
    std::string description;
    SectionId sectionId = 0;
    std::variant<RegistryProblem, FileProblem> item;
    // Judged when the intake files the record; a record it has not judged is never taken as safe.
    Risk risk = Risk::Review;
    std::string riskReason;

    const RegistryProblem* AsRegistry() const { return std::get_if<RegistryProblem>(&item); }
    const FileProblem* AsFile() const { return std::get_if<FileProblem>(&item); }
};

using ProblemPtr = std::unique_ptr<ProblemRecord>;

// Whether the record names what its removal would take: a registry problem one of the four
// roots, and a key path when it is the key that goes (an empty one would take the whole hive);
// a file problem the shortcut's path. The intake files no other record, so that nothing after
// it needs to ask again.
bool IsConsistent(const ProblemRecord& record);

// A record of the section with the description and item, unchecked.
ProblemPtr MakeProblem(SectionId section, std::string description, std::variant<RegistryProblem, FileProblem> item);
