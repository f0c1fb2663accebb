#pragma once
// One problem found by a scan: a stale registry entry or a shortcut whose target is gone.
#include <cstdint>
#include <memory>
#include <string>

#include "registry/root_keys.h"

using SectionId = int32_t;

enum class ProblemKind : int32_t { File = 1, Registry = 2 };

struct RegistryProblem;
struct FileProblem;

// The fields both kinds share; a record is owned by exactly one party at a time.
struct ProblemRecord {
    virtual ~ProblemRecord() = default;

    ProblemKind kind;
    int32_t checked = 0;
    std::string description;
    SectionId sectionId = 0;

    const RegistryProblem* AsRegistry() const;
    const FileProblem* AsFile() const;

protected:
    explicit ProblemRecord(ProblemKind problemKind) : kind(problemKind) {}
};

struct RegistryProblem : ProblemRecord {
    RegistryProblem() : ProblemRecord(ProblemKind::Registry) {}

    RootKeyValue rootKey = 0;
    std::string keyPath;
    std::string valueName;  // empty: the default value, or the whole key
    std::string valueData;
    int32_t removeValueOnly = 0;  // 1: delete the value only; 0: the key with its sub-tree
};

struct FileProblem : ProblemRecord {
    FileProblem() : ProblemRecord(ProblemKind::File) {}

    std::string linkPath;    // the shortcut file; removal deletes it
    std::string targetPath;  // where it points
};

inline const RegistryProblem* ProblemRecord::AsRegistry() const {
    return kind == ProblemKind::Registry ? static_cast<const RegistryProblem*>(this) : nullptr;
}
inline const FileProblem* ProblemRecord::AsFile() const {
    return kind == ProblemKind::File ? static_cast<const FileProblem*>(this) : nullptr;
}

using ProblemPtr = std::unique_ptr<ProblemRecord>;
